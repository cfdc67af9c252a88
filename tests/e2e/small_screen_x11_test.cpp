// The toolbox on a 1366x768 screen, smaller than the score calculator: a window taller than the
// screen opens at its top with a client area that scrolls; a window that fits is as it always is.
#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "app/toolbox.h"
#include "base/program/bridge.h"
#include "tests/e2e/x11_test.h"

namespace e2e {
namespace {

using SmallScreenTest = X11ToolboxTest;

// The score table's last row: the lowest unit of the score calculator.
constexpr uint32_t kLastScoreInput = toolbox::score::kPrice18;

QScrollBar* ScrollBarOf(QWidget* window) {
  for (QScrollBar* bar : window->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
    if (bar->orientation() == Qt::Vertical) return bar;
  return nullptr;
}

TEST_F(SmallScreenTest, AWindowTallerThanTheScreenOpensAtItsTopAndScrolls) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_EQ(area.height(), 768);
  QWidget* main = Widget(toolbox::main_window::kWindow, 0);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  EXPECT_EQ(ScrollBarOf(main), nullptr) << "the main window fits";
  EXPECT_EQ(main->size(), QSize(399, 322));
  QRect frame;
  int visibleBottomBefore = 0, visibleBottomAfter = 0, lastRowTopAfter = 0;
  bool scrollable = false;
  ASSERT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&] {
    QWidget* score = Widget(kScoreWindow.window, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(score));
    // The outer rectangle, frame included, as the window's own properties 0 to 3 give it.
    const auto property = [](int32_t number) {
      return runtime::Bridge().getUnitProperty(kScoreWindow.window, 0, number, -1).i32;
    };
    frame = QRect(property(0), property(1), property(2), property(3));
    QScrollBar* bar = ScrollBarOf(score);
    ASSERT_NE(bar, nullptr);
    scrollable = bar->isVisible() && bar->maximum() > 0;
    QWidget* lastRow = Widget(kScoreWindow.window, kLastScoreInput);
    visibleBottomBefore = lastRow->geometry().bottom();
    bar->setValue(bar->maximum());
    visibleBottomAfter = lastRow->geometry().bottom();
    lastRowTopAfter = lastRow->geometry().top();
    // The units are where they were in the client area once it is scrolled back.
    bar->setValue(0);
    EXPECT_EQ(lastRow->geometry().top(), 746);
    EXPECT_LE(lastRow->geometry().right(), bar->geometry().left()) << "the scroll bar hides nothing";
    EXPECT_LT(visibleBottomAfter, score->height()) << "scrolled to its end, the last row is in sight";
  }));
  EXPECT_EQ(frame.top(), area.top());
  EXPECT_LE(frame.bottom(), area.bottom());
  EXPECT_TRUE(scrollable);
  EXPECT_GE(visibleBottomBefore, frame.height()) << "the last row starts out of sight";
  EXPECT_LT(lastRowTopAfter, 746);
}

}  // namespace
}  // namespace e2e

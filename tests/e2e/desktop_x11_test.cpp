// The toolbox on a real X server: what the desktop sees of a tool window and what the window
// manager's close button does while it is open.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "app/toolbox.h"
#include "tests/e2e/x11_display.h"
#include "tests/e2e/x11_test.h"

namespace e2e {
namespace {

using DesktopTest = X11ToolboxTest;

TEST_F(DesktopTest, AToolWindowIsTheMainWindowsDialogAndTheBlockedMainWindowRefusesToClose) {
  X11Client desktop;
  ASSERT_TRUE(desktop.Connected());
  QWidget* main = Widget(toolbox::main_window::kWindow, 0);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  const auto mainId = static_cast<uint32_t>(main->winId());
  uint32_t owner = 0;
  bool mainSurvived = false, toolSurvived = false;
  EXPECT_TRUE(WithWindowOpen(kPriceButton, kPriceWindow, [&] {
    QWidget* tool = Widget(kPriceWindow.window, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tool));
    owner = desktop.TransientFor(static_cast<uint32_t>(tool->winId()));
    desktop.RequestClose(mainId);
    QTest::qWait(300);
    mainSurvived = Widget(toolbox::main_window::kWindow, 0) == main && main->isVisible();
    toolSurvived = Widget(kPriceWindow.window, 0) == tool;
  }));
  EXPECT_EQ(owner, mainId);
  EXPECT_TRUE(mainSurvived);
  EXPECT_TRUE(toolSurvived);

  // Nothing blocks it any more: the same request closes it.
  desktop.RequestClose(mainId);
  EXPECT_TRUE(QTest::qWaitFor([] { return Widget(toolbox::main_window::kWindow, 0) == nullptr; }, 3000));
}

// The keyboard goes back where it was, each time: a tool opened with Space from a focused button
// and closed with Esc leaves the main window with the desktop's input focus and the button with
// the focus, so that the next Space opens the tool again.
TEST_F(DesktopTest, AClosedToolGivesTheKeyboardBackToTheButtonThatOpenedIt) {
  X11Client desktop;
  ASSERT_TRUE(desktop.Connected());
  QWidget* main = Widget(toolbox::main_window::kWindow, 0);
  QWidget* price = Widget(toolbox::main_window::kWindow, kPriceButton);
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  const auto mainId = static_cast<uint32_t>(main->winId());
  price->setFocus(Qt::TabFocusReason);
  for (int round = 0; round < 2; ++round) {
    bool toolHadTheKeyboard = false;
    ASSERT_TRUE(WithWindowOpen([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); },
                               kPriceWindow, [&] {
                                 QWidget* tool = Widget(kPriceWindow.window, 0);
                                 toolHadTheKeyboard = QTest::qWaitForWindowActive(tool);
                                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                               }));
    EXPECT_TRUE(toolHadTheKeyboard);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return QApplication::activeWindow() == main && desktop.InputFocus() == mainId; }, 3000))
        << "round " << round;
    ASSERT_EQ(QApplication::focusWidget(), price) << "round " << round;
  }
}

TEST_F(DesktopTest, TheBlockedMainWindowHandsAnActivationOnToTheToolWindow) {
  X11Client desktop;
  ASSERT_TRUE(desktop.Connected());
  QWidget* main = Widget(toolbox::main_window::kWindow, 0);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  const auto mainId = static_cast<uint32_t>(main->winId());
  uint32_t toolId = 0, focus = 0;
  QWidget* active = nullptr;
  EXPECT_TRUE(WithWindowOpen(kScoreButton, kScoreWindow, [&] {
    QWidget* tool = Widget(kScoreWindow.window, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tool));
    toolId = static_cast<uint32_t>(tool->winId());
    // Without a window manager nobody focuses a new window for certain: as one would.
    if (!QTest::qWaitFor([&] { return desktop.InputFocus() == toolId; }, 1000)) desktop.Focus(toolId);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == tool; }, 3000));
    desktop.Focus(mainId);
    (void)QTest::qWaitFor([&] { return desktop.InputFocus() == mainId; }, 500);
    (void)QTest::qWaitFor([&] { return desktop.InputFocus() == toolId && QApplication::activeWindow() == tool; }, 3000);
    focus = desktop.InputFocus();
    active = QApplication::activeWindow();
  }));
  EXPECT_EQ(focus, toolId);
  EXPECT_NE(active, main);
}

}  // namespace
}  // namespace e2e

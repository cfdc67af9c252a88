// The toolbox on a real X server: what the desktop sees of a tool window and what the window
// manager's close button does while it is open.
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "app/toolbox.h"
#include "tests/e2e/toolbox_fixture.h"
#include "tests/e2e/x11_display.h"

namespace e2e {
namespace {

bool gHaveDisplay = false;

class DesktopTest : public ToolboxTest {
 protected:
  void SetUp() override {
    if (!gHaveDisplay) GTEST_SKIP() << "no X server to run on";
    ToolboxTest::SetUp();
  }
};

TEST_F(DesktopTest, AToolWindowIsTheMainWindowsDialogAndTheBlockedMainWindowRefusesToClose) {
  X11Client desktop;
  ASSERT_TRUE(desktop.Connected());
  QWidget* main = Widget(toolbox::kMainWindow.window, 0);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  const auto mainId = static_cast<uint32_t>(main->winId());
  uint32_t owner = 0;
  bool mainSurvived = false, toolSurvived = false;
  EXPECT_TRUE(WithWindowOpen(kPriceButton, toolbox::kPriceWindow, [&] {
    QWidget* tool = Widget(toolbox::kPriceWindow.window, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tool));
    owner = desktop.TransientFor(static_cast<uint32_t>(tool->winId()));
    desktop.RequestClose(mainId);
    QTest::qWait(300);
    mainSurvived = Widget(toolbox::kMainWindow.window, 0) == main && main->isVisible();
    toolSurvived = Widget(toolbox::kPriceWindow.window, 0) == tool;
  }));
  EXPECT_EQ(owner, mainId);
  EXPECT_TRUE(mainSurvived);
  EXPECT_TRUE(toolSurvived);

  // Nothing blocks it any more: the same request closes it.
  desktop.RequestClose(mainId);
  EXPECT_TRUE(QTest::qWaitFor([] { return Widget(toolbox::kMainWindow.window, 0) == nullptr; }, 3000));
}

TEST_F(DesktopTest, TheBlockedMainWindowHandsAnActivationOnToTheToolWindow) {
  X11Client desktop;
  ASSERT_TRUE(desktop.Connected());
  QWidget* main = Widget(toolbox::kMainWindow.window, 0);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
  const auto mainId = static_cast<uint32_t>(main->winId());
  uint32_t toolId = 0, focus = 0;
  QWidget* active = nullptr;
  EXPECT_TRUE(WithWindowOpen(kScoreButton, toolbox::kScoreWindow, [&] {
    QWidget* tool = Widget(toolbox::kScoreWindow.window, 0);
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

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  e2e::gHaveDisplay = e2e::StartPrivateDisplay();
  qputenv("QT_QPA_PLATFORM", "xcb");
  int result = 0;
  if (e2e::gHaveDisplay) {
    QApplication application(argc, argv);
    result = RUN_ALL_TESTS();
  } else {
    result = RUN_ALL_TESTS();  // every test skips
  }
  e2e::StopPrivateDisplay();
  return result;
}

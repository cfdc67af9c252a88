// The main of every program that tests the toolbox on a private X server: the server is started
// before the application object (with the screen QUARLEX_TEST_SCREEN, "WxHxDepth"), the web pages
// are routed to the test's own server, and without an X server every test skips.
#include <QApplication>

#include <gtest/gtest.h>

#include <unistd.h>

#include "tests/e2e/routed_pages.h"
#include "tests/e2e/x11_display.h"
#include "tests/e2e/x11_test.h"

namespace e2e {
bool gHaveDisplay = false;
}  // namespace e2e

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  e2e::gHaveDisplay = e2e::StartPrivateDisplay(QUARLEX_TEST_SCREEN);
  qputenv("QT_QPA_PLATFORM", "xcb");
  // The engine's sandbox cannot work for the superuser; run as root, the test goes without it.
  if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  int result = 0;
  if (e2e::gHaveDisplay) {
    QApplication application(argc, argv);
    e2e::RoutePages();
    result = RUN_ALL_TESTS();
  } else {
    result = RUN_ALL_TESTS();  // every test skips
  }
  e2e::StopPrivateDisplay();
  return result;
}

// The real toolbox's answer page on a real X server: the page reaches the screen, composited in
// software, with no OpenGL driver ever brought into the process, and the choice that keeps it out
// is not passed on to programs started from the toolbox.
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include "app/toolbox.h"
#include "tests/e2e/routed_pages.h"
#include "tests/e2e/x11_test.h"
#include "tests/support/process_maps.h"
#include "tests/units/webbrowser/local_http_server.h"

namespace e2e {
namespace {

using test_support::Mapped;
using WebPageDrawingTest = X11ToolboxTest;

TEST_F(WebPageDrawingTest, TheAnswerPageReachesTheScreenWithoutAnOpenGlDriver) {
  PageServer().Serve("http://bbs.quarlex.example/zt/dtq/keju.html",
                     "<body style='margin:0;background:#3a7d5c'><h1 style='color:#fff'>科举答题器</h1></body>");
  const QRgb pageColour = qRgb(0x3a, 0x7d, 0x5c);
  bool shown = false;
  EXPECT_TRUE(WithWindowOpen(kAnswerButton, kAnswerWindow, [&] {
    QWidget* window = Widget(kAnswerWindow.window, 0);
    ASSERT_NE(window, nullptr);
    // What the X server shows at the window's centre, not what the widget would paint.
    const QPoint centre = window->mapToGlobal(window->rect().center());
    shown = QTest::qWaitFor(
        [&] {
          const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0, centre.x(), centre.y(), 1, 1).toImage();
          return !screen.isNull() && screen.pixel(0, 0) == pageColour;
        },
        20000);
  }));
  EXPECT_TRUE(shown);
  EXPECT_TRUE(Mapped("libQt6WebEngineCore"));
  EXPECT_FALSE(Mapped("libGLX_mesa"));
  EXPECT_FALSE(Mapped("swrast_dri"));
  EXPECT_FALSE(Mapped("libLLVM"));
  EXPECT_FALSE(qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"));
}

}  // namespace
}  // namespace e2e

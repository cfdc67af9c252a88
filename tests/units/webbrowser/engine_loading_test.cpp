// The browser engine comes into the process only once a web browser box is made, and OpenGL's
// driver not even then: pages are composited in software.
#include <QCoreApplication>
#include <QFile>
#include <QOpenGLContext>

#include <unistd.h>

#include "tests/support/process_maps.h"
#include "tests/units/webbrowser/web_box_fixture.h"

QOpenGLContext* qt_gl_global_share_context();

namespace {

using test_support::Mapped;

class EngineLoadingTest : public test_support::WebBoxFixture {};

TEST_F(EngineLoadingTest, TheEngineComesWithTheFirstBoxButNoOpenGlContext) {
  // A window without a web browser box, shown and painted.
  QWidget plain;
  plain.resize(200, 100);
  plain.show();
  QTest::qWait(50);
  ASSERT_TRUE(QFile::exists(QStringLiteral("/proc/self/maps")));
  EXPECT_FALSE(Mapped("libQt6WebEngineCore"));
  EXPECT_FALSE(Mapped("quarlex_web"));
  // No OpenGL context, so no OpenGL driver: Qt Gui links the GL dispatch libraries (libGLX.so,
  // libOpenGL.so) itself, but the vendor library, Mesa's renderer and LLVM come only with a
  // context.
  EXPECT_FALSE(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
  EXPECT_EQ(qt_gl_global_share_context(), nullptr);
  EXPECT_FALSE(Mapped("libGLX_mesa"));
  EXPECT_FALSE(Mapped("swrast_dri"));
  EXPECT_FALSE(Mapped("libLLVM"));
  EXPECT_FALSE(Mapped("glx-integration"));

  // The shared context the engine asks for is made right before the engine loads, but never on
  // the driver (that a page is then drawn without one is tested on an X server).
  ASSERT_NE(MakeBox(), nullptr);
  EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
  ASSERT_NE(qt_gl_global_share_context(), nullptr);
  EXPECT_FALSE(qt_gl_global_share_context()->isValid());
  EXPECT_TRUE(Mapped("quarlex_web"));
  EXPECT_TRUE(Mapped("libQt6WebEngineCore"));
  EXPECT_TRUE(WaitForEvent(6, "about:blank")) << "and the engine works";
}

// Run by the superuser, for whom the engine's sandbox cannot work, and without the user's own
// choice to go without it, the box says why it shows no page and the engine never comes in.
TEST_F(EngineLoadingTest, TheSuperusersBoxSaysWhyItShowsNoPageUnlessTheUserChoseToGoWithoutTheSandbox) {
  if (geteuid() != 0) GTEST_SKIP() << "only the superuser's pages are refused";
  const QByteArray choice = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
  qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
  // Run after other tests in one process, the engine may be in already.
  const bool engineIn = Mapped("quarlex_web");
  ASSERT_NE(MakeBox(), nullptr);
  QWidget* note = box_->ControlWidget();
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->objectName(), QStringLiteral("engine refusal"));
  EXPECT_TRUE(note->accessibleName().contains(QStringLiteral("沙箱"))) << note->accessibleName().toStdString();
  Navigate("http://127.0.0.1:9/");
  QTest::qWait(100);
  if (!engineIn) {
    EXPECT_FALSE(Mapped("quarlex_web"));
    EXPECT_FALSE(Mapped("libQt6WebEngineCore"));
  }
  EXPECT_EQ(GetText(test_support::web_property::kLocationUrl), "");

  delete box_;
  box_ = nullptr;
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", choice.isEmpty() ? QByteArray("1") : choice);
  ASSERT_NE(MakeBox(), nullptr);
  EXPECT_TRUE(WaitForEvent(6, "about:blank")) << "the user's own choice is followed";
}

}  // namespace

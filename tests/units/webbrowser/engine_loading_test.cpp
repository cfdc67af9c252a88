// The browser engine is mapped into the process only once a web browser box is made.
#include <QCoreApplication>
#include <QFile>

#include "tests/units/webbrowser/web_box_fixture.h"

namespace {

bool Mapped(const char* library) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return false;
  return maps.readAll().contains(library);
}

class EngineLoadingTest : public test_support::WebBoxFixture {};

TEST_F(EngineLoadingTest, TheEngineComesWithTheFirstBox) {
  // A window without a web browser box, shown and painted.
  QWidget plain;
  plain.resize(200, 100);
  plain.show();
  QTest::qWait(50);
  ASSERT_TRUE(QFile::exists(QStringLiteral("/proc/self/maps")));
  EXPECT_FALSE(Mapped("libQt6WebEngineCore"));
  EXPECT_FALSE(Mapped("quarlex_web"));

  // Asked for before the application object existed, without the engine.
  EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
  ASSERT_NE(MakeBox(), nullptr);
  EXPECT_TRUE(Mapped("quarlex_web"));
  EXPECT_TRUE(Mapped("libQt6WebEngineCore"));
  EXPECT_TRUE(WaitForEvent(6, "about:blank")) << "and the engine works";
}

}  // namespace

// examples/hello as its user meets it: its own form and handler on the runtime, in the process.
#include <QTest>
#include <QWidget>

#include "base/program/bridge.h"
#include "base/program/services.h"
#include "hello.h"
#include "host/host.h"
#include "platform/gbk.h"
#include "runner/form_program.h"
#include "tests/e2e/toolbox_fixture.h"

namespace hello {
extern const uint8_t kTemplateData[];
extern const uint32_t kTemplateLength;
}  // namespace hello

namespace e2e {
namespace {

class HelloTest : public ProgramTest {
 protected:
  void SetUp() override {
    const runner::FormProgram hello = {hello::kTemplateData, hello::kTemplateLength, &hello::kHandlerTable};
    ASSERT_EQ(runner::FirstWindowId(hello.templateData, hello.templateLength), hello::greeter::kWindow);
    runtime::Bridge().service(runtime::service::kStartHost, &runner::FormProgramHeader(hello));
    runtime::Bridge().loadStartupWindow(hello::greeter::kWindow);
    ASSERT_NE(Widget(hello::greeter::kWindow, 0), nullptr);
  }
  void TearDown() override { runtime::StopHost(); }

  static std::string Greeting() {
    return platform::GbkToUtf8(Text(hello::greeter::kWindow, hello::greeter::kGreeting));
  }
};

TEST_F(HelloTest, TheButtonGreetsTheNameTyped) {
  EXPECT_EQ(Greeting(), "");
  Click(hello::greeter::kWindow, hello::greeter::kGreet);
  EXPECT_EQ(Greeting(), "请先输入你的名字。");

  // Chinese text typed as an input method commits it.
  QWidget* box = Widget(hello::greeter::kWindow, hello::greeter::kName);
  ASSERT_NE(box, nullptr);
  box->setFocus(Qt::MouseFocusReason);
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("小明"));
  QCoreApplication::sendEvent(box, &commit);
  Click(hello::greeter::kWindow, hello::greeter::kGreet);
  EXPECT_EQ(Greeting(), "你好，小明！");

  // Enter in the box presses the window's default button.
  Type(hello::greeter::kWindow, hello::greeter::kName, QStringLiteral("Ann"));
  QTest::keyClick(Widget(hello::greeter::kWindow, hello::greeter::kName), Qt::Key_Return);
  EXPECT_EQ(Greeting(), "你好，Ann！");
}

}  // namespace
}  // namespace e2e

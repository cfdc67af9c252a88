// The real toolbox's web windows on a real X server, their addresses routed to pages of the
// test's own: a hostile page starts nothing on the desktop unasked, opens no window without a
// click, and cannot hold the user with its boxes.
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include "app/toolbox.h"
#include "tests/e2e/routed_pages.h"
#include "tests/e2e/x11_test.h"
#include "tests/units/webbrowser/local_http_server.h"
#include "tests/units/webbrowser/web_box_fixture.h"

namespace e2e {
namespace {

using test_support::BoxAnswerer;
using test_support::Press;

constexpr uint32_t kAnswerBox = toolbox::answer::kBrowser;
const QByteArray kAnswerAddress = "http://bbs.quarlex.example/zt/dtq/keju.html";
const QByteArray kScheduleAddress = "http://www.quarlex.example/topic-kaifu.html";

class HostilePageTest : public X11ToolboxTest {
 protected:
  static int TopLevelPages() {
    int pages = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && qobject_cast<QWebEngineView*>(top) != nullptr) ++pages;
    return pages;
  }
};

TEST_F(HostilePageTest, TheAnswerPageStartsNothingUnaskedAndOpensNoWindowWithoutAClick) {
  PageServer().Serve(kAnswerAddress,
                     "<body style='margin:0'><a href='madeupscheme://payload' "
                     "style='display:block;width:100vw;height:100vh'>x</a>"
                     "<script>window.open('/unasked'); setTimeout(() => location.href = 'mailto:a@b.example', 50);"
                     "</script></body>");
  int questions = 0;
  BoxAnswerer answerer([&](QDialog* box) {
    ++questions;
    Press(box, QStringLiteral("取消"));
  });
  bool loaded = false;
  int popUps = -1;
  EXPECT_TRUE(WithWindowOpen(kAnswerButton, kAnswerWindow, [&] {
    loaded = QTest::qWaitFor([] { return PageServer().Saw(kAnswerAddress); }, 20000);
    QTest::qWait(1500);
    popUps = TopLevelPages();
    EXPECT_EQ(questions, 0) << "no question without a click";
    // A click in the page: the question comes, and 取消 starts nothing.
    QWidget* view = Widget(kAnswerWindow.window, kAnswerBox)->findChild<QWebEngineView*>();
    ASSERT_NE(view, nullptr);
    QWidget* target = view->focusProxy() != nullptr ? view->focusProxy() : view;
    QWidget* window = Widget(kAnswerWindow.window, 0);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window, window->rect().center()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return questions == 1; }, 5000));
  }));
  EXPECT_TRUE(loaded);
  EXPECT_EQ(popUps, 0);
  EXPECT_EQ(answerer.titles.value(0), QStringLiteral("打开外部程序"));
  QTest::qWait(300);
  EXPECT_TRUE(OpenedOutside().isEmpty()) << OpenedOutside().join(u' ').toStdString();
}

TEST_F(HostilePageTest, EscUnderABoxLoopClosesTheScheduleWindow) {
  PageServer().Serve(kScheduleAddress, "<script>for (let i = 0; i < 100; ++i) alert('again ' + i);</script>");
  BoxAnswerer answerer([](QDialog* box) { QTest::keyClick(box, Qt::Key_Escape); });
  bool closed = false;
  EXPECT_TRUE(WithWindowOpen(kScheduleButton, kScheduleWindow, [&] {
    closed = QTest::qWaitFor([] { return Widget(kScheduleWindow.window, 0) == nullptr; }, 20000);
  }));
  EXPECT_TRUE(closed);
  EXPECT_EQ(answerer.seen, 1);
  EXPECT_EQ(answerer.titles.value(0), QStringLiteral("来自 www.quarlex.example 的网页消息"));
}

}  // namespace
}  // namespace e2e

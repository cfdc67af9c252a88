// A page that cannot be reached: the box reports the failed load as it reports every load, then
// shows a note in Chinese with the address and a "重试" link, which loads the page again.
#include <QWebEnginePage>
#include <QWebEngineView>

#include "tests/units/webbrowser/local_http_server.h"
#include "tests/units/webbrowser/page_fixture.h"

namespace {

using test_support::LocalHttpServer;
using test_support::WaitUntil;
namespace wp = test_support::web_property;
using namespace test_support::web_event;

class UnreachablePageTest : public test_support::PageFixture {
 protected:
  // A number the page's script gives, or -1 when it gave none in time.
  int Number(const QString& script) {
    const QVariant value = Script(script);
    return value.isValid() ? qRound(value.toDouble()) : -1;
  }

  LocalHttpServer server_;
};

TEST_F(UnreachablePageTest, ShowsTheAddressWithARetryThatLoadsThePageOnceTheServerAnswers) {
  server_.Serve("/page", "<html><head><title>served</title></head><body>the page itself</body></html>");
  server_.Refuse();
  ASSERT_NE(MakeBox(), nullptr);
  // The box overhangs its window at the top, as the toolbox's web windows do: the note must sit
  // in the part the window shows.
  box_->setGeometry(0, -200, 400, 500);
  const QString address = server_.Url("/page");
  const std::string gbkAddress = address.toStdString();
  Navigate(gbkAddress.c_str());
  ASSERT_TRUE(WaitForEvent(kDocumentComplete, gbkAddress)) << "the failed load is reported";
  EXPECT_TRUE(SawEvent(kBeforeNavigate, gbkAddress));
  const size_t reported = events_.size();

  QString text;
  ASSERT_TRUE(WaitUntil([&] { return (text = PageText()).contains(QStringLiteral("重试")); })) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("网页无法打开"))) << text.toStdString();
  EXPECT_TRUE(text.contains(address)) << text.toStdString();
  EXPECT_EQ(GetText(wp::kLocationUrl), gbkAddress) << "the box still names the page it was sent to";
  const QPoint viewInWindow = box_->ControlWidget()->mapTo(&window_, QPoint(0, 0));
  EXPECT_EQ(Number("document.getElementById('note').getBoundingClientRect().top"), -viewInWindow.y());
  EXPECT_EQ(Number("document.getElementById('note').getBoundingClientRect().height"), window_.height());
  QTest::qWait(200);
  EXPECT_EQ(events_.size(), reported) << "the note's own load is not the box's";

  ASSERT_TRUE(server_.Listen());
  Page()->runJavaScript(QStringLiteral("document.querySelector('a').click();"));
  ASSERT_TRUE(WaitUntil([&] { return server_.Saw("/page"); }));
  ASSERT_TRUE(WaitUntil([&] { return (text = PageText()).contains(QStringLiteral("the page itself")); }))
      << text.toStdString();
  EXPECT_TRUE(WaitForEvent(kTitleChange, "served"));
  bool retryReported = false;
  for (size_t i = reported; i < events_.size(); ++i)
    retryReported |= events_[i].number == kBeforeNavigate && events_[i].text == gbkAddress;
  EXPECT_TRUE(retryReported) << "the retry is a navigation of the box like any other";
}

TEST_F(UnreachablePageTest, AServersOwnErrorAnswerIsShownAsItCame) {
  ASSERT_NE(MakeBox(), nullptr);
  const std::string address = server_.Url("/missing").toStdString();
  Navigate(address.c_str());
  ASSERT_TRUE(WaitForEvent(kDocumentComplete, address));
  QString text;
  EXPECT_TRUE(WaitUntil([&] { return (text = PageText()).contains(QStringLiteral("not here")); }))
      << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("重试")));
}

}  // namespace

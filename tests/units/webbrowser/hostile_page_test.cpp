// A page from the network is a stranger's code. What it may do to the user's desktop, to the
// window that shows it and to the next window, with pages served by the test on 127.0.0.1.
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QPointer>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWindow>

#include <malloc.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include <optional>

#include "platform/open_address.h"
#include "tests/units/webbrowser/local_http_server.h"
#include "tests/units/webbrowser/page_fixture.h"

namespace {

using test_support::BoxAnswerer;
using test_support::LocalHttpServer;
using test_support::Press;
using test_support::WaitUntil;
namespace wp = test_support::web_property;
using namespace test_support::web_event;

// A link over the whole page, so that a click anywhere follows it.
QByteArray WholePageLink(const char* address) {
  return QByteArray("<body style='margin:0'><a href='") + address +
         "' style='display:block;width:100vw;height:100vh'>link</a></body>";
}

// Stands in for the desktop's programs behind the engine's back too: whatever the engine would
// open by itself is recorded here.
class DesktopStandIn : public QObject {
  Q_OBJECT
 public:
  QStringList opened;
 public Q_SLOTS:
  void Open(const QUrl& address) { opened << address.toString(); }
};

const char* const kSchemes[] = {"madeupscheme", "mailto", "vnd.example", "file"};

long ResidentKiB() {
  malloc_trim(0);  // freed heap pages go back, so that only what is held counts
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE) / 1024;
}

class HostilePageTest : public test_support::PageFixture {
 protected:
  void SetUp() override {
    PageFixture::SetUp();
    // Whatever would start a program is recorded instead.
    previous_ = platform::SetAddressOpening({[this](const QString& address) {
                                               opened_ << address;
                                               return true;
                                             },
                                             [] { return std::optional<QString>(); },
                                             [this](const QString& program, const QStringList&) {
                                               opened_ << program;
                                               return true;
                                             }});
    for (const char* scheme : kSchemes) QDesktopServices::setUrlHandler(QLatin1String(scheme), &desktop_, "Open");
  }
  void TearDown() override {
    for (const char* scheme : kSchemes) QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    EXPECT_TRUE(desktop_.opened.isEmpty()) << "the engine opened " << desktop_.opened.join(u' ').toStdString();
    platform::SetAddressOpening(previous_);
    PageFixture::TearDown();
  }

  bool Open(const char* path) {
    const std::string address = server_.Url(path).toStdString();
    Navigate(address.c_str());
    return WaitForEvent(kDocumentComplete, address);
  }
  bool TitleBecomes(const std::string& title, int milliseconds = 15000) {
    return WaitUntil([&] { return GetText(wp::kLocationName) == title; }, milliseconds);
  }
  static QList<QWebEngineView*> PopUps() {
    QList<QWebEngineView*> found;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* view = qobject_cast<QWebEngineView*>(top); view != nullptr && view->isVisible()) found << view;
    return found;
  }

  LocalHttpServer server_;
  QStringList opened_;
  platform::AddressOpening previous_;
  DesktopStandIn desktop_;
};

TEST_F(HostilePageTest, AnOutsideAddressGoesOutOnlyAfterAClickInAWindowThatTakesInputAndAYes) {
  server_.Serve("/outside", WholePageLink("madeupscheme://payload") +
                                "<script>setTimeout(() => location.href = 'mailto:someone@example.com', 0)</script>");
  QString reply = QStringLiteral("取消");
  BoxAnswerer answerer([&reply](QDialog* box) { Press(box, reply); });
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(Open("/outside"));
  QTest::qWait(500);
  EXPECT_EQ(answerer.seen, 0) << "nothing is asked, nor started, without a click";

  ClickPage();
  ASSERT_TRUE(WaitUntil([&] { return answerer.seen == 1; }));
  EXPECT_EQ(answerer.titles.value(0), QStringLiteral("打开外部程序"));
  EXPECT_TRUE(answerer.texts.value(0).contains(QStringLiteral("此网页想用外部程序打开：madeupscheme://payload")))
      << answerer.texts.value(0).toStdString();
  QTest::qWait(200);
  EXPECT_TRUE(opened_.isEmpty()) << "取消 starts nothing";

  reply = QStringLiteral("打开");
  ClickPage();
  ASSERT_TRUE(WaitUntil([&] { return answerer.seen == 2; }));
  EXPECT_EQ(opened_, QStringList{QStringLiteral("madeupscheme://payload")});

  // A blocked window takes no click, so its page starts nothing.
  window_.enabled = false;
  ClickPage();
  QTest::qWait(500);
  window_.enabled = true;
  EXPECT_EQ(answerer.seen, 2);
  EXPECT_EQ(opened_.size(), 1);
}

TEST_F(HostilePageTest, AnAddressNamingALocalFileIsNeverHandedOn) {
  BoxAnswerer answerer([](QDialog* box) { Press(box, QStringLiteral("打开")); });
  ASSERT_NE(MakeBox(), nullptr);
  for (const char* address : {"vnd.example:ofe|u|file:///etc/passwd", "madeupscheme:/etc/passwd", "file:///etc/passwd"}) {
    server_.Serve("/local", WholePageLink(address));
    events_.clear();
    ASSERT_TRUE(Open("/local"));
    ClickPage();
    QTest::qWait(500);
    EXPECT_EQ(answerer.seen, 0) << address;
  }
  EXPECT_TRUE(opened_.isEmpty()) << opened_.join(u' ').toStdString();
}

TEST_F(HostilePageTest, APopUpNeedsAClickStandsOverItsWindowAndGoesWithTheBox) {
  server_.Serve("/opener", "<body style='margin:0;height:100vh' "
                           "onclick=\"window.open('/popup'); window.open('/second')\">opener"
                           "<script>window.open('/unasked')</script></body>");
  server_.Serve("/popup", "<title>popup</title><body style='margin:0;height:100vh' "
                          "onclick=\"document.title = 'clicked'\">popup</body>");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(Open("/opener"));
  QTest::qWait(500);
  EXPECT_TRUE(PopUps().isEmpty());
  EXPECT_FALSE(server_.Saw("/unasked")) << "no window without a click";

  ClickPage();
  ASSERT_TRUE(WaitUntil([&] { return server_.Saw("/popup"); }));
  QTest::qWait(300);
  EXPECT_FALSE(server_.Saw("/second")) << "one window a click";
  ASSERT_EQ(PopUps().size(), 1);
  QPointer<QWebEngineView> popUp = PopUps().value(0);
  ASSERT_NE(popUp->windowHandle(), nullptr);
  EXPECT_EQ(popUp->windowHandle()->transientParent(), window_.windowHandle());
  EXPECT_TRUE(WaitUntil([&] { return popUp->windowTitle() == server_.Url("/popup"); }))
      << popUp->windowTitle().toStdString();

  // It follows its window's modality: while that is blocked, it takes no click either.
  QWidget* input = popUp->focusProxy() != nullptr ? popUp->focusProxy() : popUp.data();
  window_.enabled = false;
  QTest::mouseClick(input, Qt::LeftButton, {}, input->rect().center());
  QTest::qWait(500);
  EXPECT_EQ(popUp->page()->title(), QStringLiteral("popup"));
  window_.enabled = true;
  QTest::mouseClick(input, Qt::LeftButton, {}, input->rect().center());
  EXPECT_TRUE(WaitUntil([&] { return popUp->page()->title() == QStringLiteral("clicked"); }));

  // Its own page may close it.
  popUp->page()->runJavaScript(QStringLiteral("window.close()"));
  ASSERT_TRUE(WaitUntil([&] { return popUp.isNull(); }));

  // The box's own page may not close the tool window: the request is only reported.
  Script(QStringLiteral("window.close()"));
  ASSERT_TRUE(WaitForEvent(kWindowClosing));
  QTest::qWait(300);
  EXPECT_TRUE(window_.isVisible());

  // A pop-up goes with the box that opened it.
  ClickPage();
  ASSERT_TRUE(WaitUntil([&] { return PopUps().size() == 1; }));
  popUp = PopUps().value(0);
  delete box_;
  box_ = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return popUp.isNull(); }));
}

// A closed pop-up gives its memory back: a hundred of them, opened and closed one after the
// other, leave the program within 20 MiB of where it was after the first.
TEST_F(HostilePageTest, ClosedPopUpsGiveTheirMemoryBack) {
  server_.Serve("/opener", "<body style='margin:0;height:100vh' onclick=\"window.open('/popup')\">opener</body>");
  server_.Serve("/popup", "<title>popup</title>popup");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(Open("/opener"));
  long first = 0;
  for (int i = 0; i < 100; ++i) {
    ClickPage();
    ASSERT_TRUE(WaitUntil([&] { return PopUps().size() == 1; })) << "pop-up " << i;
    QPointer<QWebEngineView> popUp = PopUps().value(0);
    ASSERT_TRUE(WaitUntil([&] { return popUp->windowTitle().endsWith(QStringLiteral("/popup")); }));
    popUp->close();
    ASSERT_TRUE(WaitUntil([&] { return popUp.isNull(); })) << "pop-up " << i;
    if (i == 0) {
      QTest::qWait(200);
      first = ResidentKiB();
    }
  }
  QTest::qWait(500);
  const long last = ResidentKiB();
  std::printf("resident after the first pop-up %ld KiB, after the hundredth %ld KiB (%+ld KiB)\n", first, last,
              last - first);
#ifdef __SANITIZE_THREAD__
  GTEST_SKIP() << "the thread sanitizer holds freed memory back and shadows all it saw, so the resident size "
                  "tells nothing";
#endif
  EXPECT_LE(last - first, 20 * 1024);
}

TEST_F(HostilePageTest, APagesBoxesNameItsHostStandOverItsWindowAndCanBeSilenced) {
  server_.Serve("/alerts",
                "<script>for (let i = 0; i < 5; ++i) alert('message ' + i); document.title = 'done';</script>");
  bool overItsWindowOnly = true;
  BoxAnswerer answerer([&](QDialog* box) {
    overItsWindowOnly = overItsWindowOnly && box->parentWidget() == &window_ && box->windowModality() == Qt::NonModal;
    if (auto* silence = box->findChild<QCheckBox*>()) silence->setChecked(true);
    Press(box, QStringLiteral("确定"));
  });
  ASSERT_NE(MakeBox(), nullptr);
  const std::string address = server_.Url("/alerts").toStdString();
  Navigate(address.c_str());
  ASSERT_TRUE(TitleBecomes("done"));
  EXPECT_EQ(answerer.seen, 2) << "silenced after the second";
  EXPECT_EQ(answerer.titles.value(0), QStringLiteral("来自 127.0.0.1 的网页消息"));
  EXPECT_TRUE(answerer.texts.value(0).contains(QStringLiteral("message 0")));
  EXPECT_EQ(answerer.offeredSilence, (QList<bool>{false, true}));
  EXPECT_TRUE(overItsWindowOnly);
}

// A page that shows box after box cannot hold the user: Esc, and the window's close request,
// close the window under the first box.
TEST_F(HostilePageTest, EscAndTheCloseRequestCloseTheWindowUnderABoxLoop) {
  server_.Serve("/loop", "<script>for (let i = 0; i < 100; ++i) alert('again');</script>");
  for (bool byEsc : {true, false}) {
    BoxAnswerer answerer([&](QDialog* box) {
      if (byEsc) QTest::keyClick(box, Qt::Key_Escape);
      else window_.close();
    });
    window_.show();
    ASSERT_NE(MakeBox(), nullptr);
    const std::string address = server_.Url("/loop").toStdString();
    Navigate(address.c_str());
    EXPECT_TRUE(WaitUntil([&] { return !window_.isVisible(); })) << (byEsc ? "Esc" : "close request");
    QTest::qWait(300);
    EXPECT_EQ(answerer.seen, 1);
    delete box_;
    box_ = nullptr;
  }
}

// Nothing of a closed window's page reaches the next window's: its storage, name, zoom, history or
// reports.
TEST_F(HostilePageTest, ANewWindowIsANewPage) {
  server_.Serve("/mark", "<title>mark</title><script>sessionStorage.setItem('x', 'old'); window.name = 'old';</script>");
  server_.Serve("/a", "<title>a</title>");
  server_.Serve("/read", "<script>document.title = [sessionStorage.getItem('x'), window.name, history.length, "
                         "Math.round(devicePixelRatio * 100)].join(',');</script>");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(Open("/read"));
  ASSERT_TRUE(WaitUntil([&] { return GetText(wp::kLocationName).find(',') != std::string::npos; }));
  const std::string fresh = GetText(wp::kLocationName);
  ASSERT_TRUE(Open("/mark"));
  Page()->setZoomFactor(1.5);
  ASSERT_TRUE(Open("/a"));
  ASSERT_TRUE(Open("/read"));
  ASSERT_TRUE(WaitUntil([&] { return GetText(wp::kLocationName) != fresh; })) << "the marks are seen in the box";

  delete box_;
  box_ = nullptr;
  events_.clear();
  ASSERT_NE(MakeBox(), nullptr);
  EXPECT_EQ(GetText(wp::kLocationUrl).find("/read"), std::string::npos);
  ASSERT_TRUE(Open("/read"));
  ASSERT_TRUE(WaitUntil([&] { return GetText(wp::kLocationName).find(',') != std::string::npos; }));
  EXPECT_EQ(GetText(wp::kLocationName), fresh);
  for (const test_support::SeenEvent& seen : events_) {
    EXPECT_EQ(seen.text.find("/a"), std::string::npos) << "event " << seen.number << ": " << seen.text;
    EXPECT_EQ(seen.text.find("/mark"), std::string::npos) << "event " << seen.number << ": " << seen.text;
  }
}

TEST_F(HostilePageTest, ARendererThatDiesLeavesANoteWhoseRetryLoadsThePageInANewOne) {
  server_.Serve("/page", "<title>served</title>the page itself");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(Open("/page"));
  const qint64 renderer = Page()->renderProcessPid();
  ASSERT_GT(renderer, 0);
  const size_t before = events_.size();
  ASSERT_EQ(::kill(static_cast<pid_t>(renderer), SIGKILL), 0);

  ASSERT_TRUE(WaitUntil([&] { return PageText().contains(QStringLiteral("网页已停止响应")); }));
  const QString note = PageText();
  EXPECT_TRUE(note.contains(server_.Url("/page"))) << note.toStdString();
  EXPECT_TRUE(note.contains(QStringLiteral("重试")));
  const bool reported = std::any_of(events_.begin() + static_cast<std::ptrdiff_t>(before), events_.end(),
                                    [](const auto& e) { return e.number == kDocumentComplete && e.text.find("/page") != std::string::npos; });
  EXPECT_TRUE(reported) << "reported as a failed load";

  Script(QStringLiteral("document.querySelector('a').click()"));
  ASSERT_TRUE(WaitUntil([&] { return PageText().contains(QStringLiteral("the page itself")); }));
  EXPECT_NE(Page()->renderProcessPid(), renderer);
}

TEST_F(HostilePageTest, PermissionsAreRefusedAtOnceAndADownloadIsRefusedWithANote) {
  server_.Serve("/ask", "<script>Notification.requestPermission().then(p => document.title = 'notify ' + p);</script>");
  server_.Serve("/where", "<script>navigator.geolocation.getCurrentPosition(() => document.title = 'geo yes', "
                          "e => document.title = 'geo ' + e.code);</script>");
  server_.ServeWith("/tables.zip", "PK not really", "Content-Disposition: attachment; filename=\"tables.zip\"\r\n");
  server_.Serve("/fetch", "<title>fetch</title><script>location.href = '/tables.zip';</script>");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(Open("/ask"));
  EXPECT_TRUE(TitleBecomes("notify denied", 5000)) << GetText(wp::kLocationName);
  ASSERT_TRUE(Open("/where"));
  EXPECT_TRUE(TitleBecomes("geo 1", 5000)) << GetText(wp::kLocationName);

  ASSERT_TRUE(Open("/fetch"));
  QWidget* note = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    note = box_->findChild<QWidget*>(QStringLiteral("strip note"));
    return note != nullptr && note->isVisible();
  }));
  EXPECT_EQ(note->accessibleName(), QStringLiteral("此网页想下载文件 tables.zip，已阻止"));
  EXPECT_FALSE(QFile::exists(QWebEngineProfile::defaultProfile()->downloadPath() + QStringLiteral("/tables.zip")));
}

// A load with no answer shows, from a moment in, that it goes on, without moving the page; after
// long enough it ends in the note that the page cannot be opened.
TEST_F(HostilePageTest, ALoadWithNoAnswerShowsItGoesOnThenEndsInTheNote) {
  server_.Hold("/slow");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(WaitForEvent(kDocumentComplete, "about:blank"));
  const QRect page = box_->ControlWidget()->geometry();
  const std::string address = server_.Url("/slow").toStdString();
  Navigate(address.c_str());
  auto* indicator = box_->findChild<QWidget*>(QStringLiteral("load indicator"));
  ASSERT_NE(indicator, nullptr);
  QTest::qWait(300);
  EXPECT_FALSE(indicator->isVisible()) << "a short load shows nothing";
  ASSERT_TRUE(WaitUntil([&] { return indicator->isVisible(); }, 3000));
  EXPECT_EQ(box_->ControlWidget()->geometry(), page);
  EXPECT_LE(indicator->height(), 4);

  ASSERT_TRUE(WaitUntil([&] { return PageText().contains(QStringLiteral("网页无法打开")); }, 45000));
  EXPECT_TRUE(SawEvent(kDocumentComplete, address));
  EXPECT_FALSE(indicator->isVisible());
}

}  // namespace

#include "hostile_page_test.moc"

// The box in a window the host built: the page has the keys typed into it before the window's
// own keyboard handling, and it is asked for in Chinese.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <string>

#include "platform/gbk.h"
#include "host/host.h"
#include "base/program/memory.h"
#include "tests/support/test_program.h"
#include "tests/units/webbrowser/local_http_server.h"
#include "tests/units/webbrowser/web_box_fixture.h"
#include "contract/unit.h"
#include "contract/unit_type_ids.h"
#include "units/webbrowser/webbrowser_unit.h"

namespace {

constexpr uint32_t kMain = 0x52000001, kOwn = 0x06000001, kBox = 0x16000001;
constexpr int32_t kLocationName = 8 + 18;

// Each field names itself in the page's title when it gets the focus.
constexpr char kTwoFields[] =
    "<html><head><title>none</title></head><body>"
    "<input id=first autofocus onfocus=\"document.title='first'\">"
    "<input id=second onfocus=\"document.title='second'\">"
    "</body></html>";

std::string PageTitle() {
  runtime::DataBytes title = runtime::GetUnitProperty(kMain, kBox, kLocationName, -1);
  std::string out = title.text != nullptr ? platform::GbkToUtf8(title.text) : "";
  runtime::Free(title.text);
  return out;
}

TEST(WebBoxInWindowTest, TabMovesBetweenThePagesFieldsAndThePageIsAskedForInChinese) {
  test_support::LocalHttpServer server;
  server.Serve("/fields.html", kTwoFields);
  test_support::TestProgram program;
  formtool::FormWindow window;
  window.id = kMain;
  window.units.push_back(test_support::MakeUnit(kOwn, units::type_id::kWindow, 10, 10, 400, 300));
  formtool::FormUnit box = test_support::MakeUnit(kBox, units::type_id::kWebBrowser, 0, 0, 400, 300);
  box.flags |= 0x4;  // tab stop
  window.units.push_back(box);
  program.Start({window});
  runtime::LoadStartupWindow(kMain);
  auto* web = dynamic_cast<units::WebBrowserBox*>(runtime::LiveUnit(kMain, kBox));
  ASSERT_NE(web, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(web->window()));
  web->Navigate(platform::Utf8ToGbk(server.Url("/fields.html").toStdString()).c_str(), 0, nullptr, nullptr);
  web->ControlWidget()->setFocus();
  ASSERT_TRUE(test_support::WaitUntil([] { return PageTitle() == "first"; })) << PageTitle();
  QTest::qWait(500);  // the engine takes the view's focus over in its own time

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_TRUE(test_support::WaitUntil([] { return PageTitle() == "second"; })) << PageTitle();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(test_support::WaitUntil([] { return PageTitle() == "first"; })) << PageTitle();

  ASSERT_FALSE(server.Requests().empty());
  EXPECT_TRUE(server.Requests().back().headers.value("accept-language").startsWith("zh-CN"))
      << server.Requests().back().headers.value("accept-language").toStdString();
}

}  // namespace

// The web browser box against pages served by the test itself on 127.0.0.1.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QUrl>

#include <algorithm>

#include "base/program/memory.h"
#include "contract/edge_style.h"

#include "tests/support/test_program.h"
#include "tests/units/webbrowser/local_http_server.h"
#include "tests/units/webbrowser/page_fixture.h"

namespace {

using test_support::LocalHttpServer;
using units::PropertyValue;
namespace wp = test_support::web_property;

using namespace test_support::web_event;

class WebBrowserBoxTest : public test_support::PageFixture {
 protected:
  // Navigates and waits until the page's document is complete.
  bool Open(const QString& url, const char* headers = nullptr) {
    const std::string address = url.toStdString();
    Navigate(address.c_str(), headers);
    return WaitForEvent(kDocumentComplete, address);
  }
  LocalHttpServer server_;
};

std::vector<uint8_t> PropertyData(uint32_t version, uint32_t border, uint32_t silent = 0) {
  std::vector<uint8_t> data;
  for (uint32_t v : {version, border, silent, 0u, 1u, 0u}) test_support::PutU32(data, v);
  return data;
}

TEST_F(WebBrowserBoxTest, StartsBlankAndRereadsTextsIntoTheSameStorage) {
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(WaitForEvent(kDocumentComplete, "about:blank"));
  const char* first = Get(wp::kLocationUrl).AsText();
  EXPECT_STREQ(first, "about:blank");
  EXPECT_EQ(Get(15).first, 4) << "ready state: complete";
  EXPECT_EQ(Get(13).first, 0) << "not busy";

  server_.Serve("/a", "<html><head><title>Page A</title></head><body>a</body></html>");
  ASSERT_TRUE(Open(server_.Url("/a")));
  const char* second = Get(wp::kLocationUrl).AsText();
  EXPECT_EQ(second, first) << "the same storage, refreshed";
  EXPECT_EQ(std::string(second), server_.Url("/a").toStdString());
  EXPECT_EQ(GetText(wp::kLocationName), "Page A");
  EXPECT_TRUE(SawEvent(kTitleChange, "Page A"));
  EXPECT_EQ(GetText(wp::kType), "text/html");
  EXPECT_FALSE(GetText(wp::kFullName).empty());
}

TEST_F(WebBrowserBoxTest, ResizableLeavesTheCallersValueAndBarsReadZero) {
  ASSERT_NE(MakeBox(), nullptr);
  const PropertyValue untouched{0x1234, 0x5678};
  PropertyValue read = Get(wp::kResizable, untouched);
  EXPECT_EQ(read.first, untouched.first);
  EXPECT_EQ(read.second, untouched.second);
  for (int32_t bar : {5, 6, 7, 9, 10, 11, 14}) EXPECT_EQ(Get(bar, {7, 7}).first, 0) << "own property " << bar;
  EXPECT_EQ(Get(12).first, 1) << "visible";
  auto get = units::AskInterface<units::interface_number::kGetProperty>(units::kWebBrowserType);
  PropertyValue v;
  EXPECT_EQ(get(box_, 37, &v), 0) << "no such property";
}

TEST_F(WebBrowserBoxTest, NavigateSendsExtraHeadersAndACancelledNavigationNeverLeaves) {
  server_.Serve("/start", "<title>start</title>");
  server_.Serve("/headers", "<title>headers</title>");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(Open(server_.Url("/start")));

  ASSERT_TRUE(Open(server_.Url("/headers"), "X-Quarlex-Test: 42\r\nX-Second: two"));
  const auto& seen = server_.Requests();
  auto request = std::find_if(seen.begin(), seen.end(), [](const auto& r) { return r.path == "/headers"; });
  ASSERT_NE(request, seen.end());
  EXPECT_EQ(request->headers.value("x-quarlex-test"), "42");
  EXPECT_EQ(request->headers.value("x-second"), "two");
  EXPECT_TRUE(SawEvent(kBeforeNavigate, "/headers"));

  // Event 0 cancels whatever leads to /blocked: the server never hears of it.
  onEvent_ = [](units::TypedEventReport& report) {
    if (report.event != kBeforeNavigate) return;
    const char* url = *static_cast<const char* const*>(report.arguments[0].value.ptr);
    ASSERT_EQ(report.argumentCount, 7);
    ASSERT_TRUE(report.arguments[6].flags & units::typed_argument::kByReference);
    if (std::string(url).find("/blocked") != std::string::npos) *static_cast<int32_t*>(report.arguments[6].value.ptr) = 1;
  };
  server_.Serve("/blocked", "<title>blocked</title>");
  const std::string blocked = server_.Url("/blocked").toStdString();
  Navigate(blocked.c_str());
  ASSERT_TRUE(WaitForEvent(kBeforeNavigate, "/blocked"));
  QTest::qWait(300);
  EXPECT_FALSE(server_.Saw("/blocked"));
  EXPECT_EQ(GetText(wp::kLocationUrl), server_.Url("/headers").toStdString());
}

TEST_F(WebBrowserBoxTest, RefusedPopUpIsNeverOpened) {
  server_.Serve("/opener", "<title>opener</title>"
                           "<body style='margin:0;height:100vh' onclick=\"window.open('/popup')\">opener</body>");
  server_.Serve("/popup", "<title>popup</title>");
  int32_t offered = 0;
  onEvent_ = [&offered](units::TypedEventReport& report) {
    if (report.event != kNewWindow) return;
    ++offered;
    ASSERT_EQ(report.argumentCount, 2);
    *static_cast<int32_t*>(report.arguments[1].value.ptr) = 1;
  };
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(Open(server_.Url("/opener")));
  ClickPage();
  ASSERT_TRUE(test_support::WaitUntil([&] { return offered > 0; }));
  QTest::qWait(300);
  EXPECT_FALSE(server_.Saw("/popup"));
}

TEST_F(WebBrowserBoxTest, EditModeOutlivesNavigationAndDocumentCommandsAnswer) {
  // The page selects its bold words itself once loaded.
  server_.Serve("/doc",
                "<title>doc</title><body onload=\"getSelection().selectAllChildren(document.getElementById('b'))\">"
                "<b id=b>bold words</b></body>");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(WaitForEvent(kDocumentComplete, "about:blank"));
  EXPECT_EQ(Get(wp::kEditMode).first, 0);
  Set(wp::kEditMode, PropertyValue::Integer(1));
  ASSERT_TRUE(Open(server_.Url("/doc")));
  EXPECT_EQ(Get(wp::kEditMode).first, 1) << "the new document is editable";

  ASSERT_TRUE(test_support::WaitUntil([&] { return Get(25).first == 1; }, 5000)) << "Bold";
  EXPECT_EQ(Get(26).first, 0) << "Italic";
  EXPECT_EQ(Get(36).first, 0) << "nothing to undo yet";

  Set(wp::kFontName, PropertyValue::Text("Courier"));
  EXPECT_EQ(GetText(wp::kFontName), "Courier");
  EXPECT_EQ(Get(36).first, 1) << "the font change can be undone";
  Set(23, PropertyValue::Integer(0x0000FF));  // red, as 0x00BBGGRR
  EXPECT_EQ(Get(23).first, 0x0000FF);

  Set(wp::kEditMode, PropertyValue::Integer(0));
  EXPECT_EQ(Get(wp::kEditMode).first, 0);
}

TEST_F(WebBrowserBoxTest, PersistedPropertiesRoundTripAndBorderDecidesTheEdge) {
  auto create = units::AskInterface<units::interface_number::kCreateUnit>(units::kWebBrowserType);
  const std::vector<uint8_t> tooNew = PropertyData(2, 0);
  EXPECT_EQ(create(tooNew.data(), 24, 0, &window_, 0, nullptr, 0, 0, 10, 10, kWindowId, kUnitId, 0, 0), nullptr);
  EXPECT_EQ(create(tooNew.data(), 20, 0, &window_, 0, nullptr, 0, 0, 10, 10, kWindowId, kUnitId, 0, 0), nullptr)
      << "data ending early";

  // The toolbox's forms store an out-of-range border: no edge, and kept as stored.
  ASSERT_NE(MakeBox(PropertyData(1, 0x6C61636F, 1)), nullptr);
  EXPECT_EQ(box_->contentsRect(), box_->rect());
  EXPECT_EQ(box_->ControlWidget()->geometry(), QRect(0, 0, 400, 300)) << "the page fills the box: no edge to hide";
  EXPECT_EQ(Get(wp::kSilent).first, 1);
  EXPECT_EQ(Get(wp::kDropTarget).first, 1);
  EXPECT_TRUE(box_->ControlWidget()->acceptDrops());

  Set(wp::kBorder, PropertyValue::Integer(1));
  Set(wp::kDropTarget, PropertyValue::Integer(0));
  Set(wp::kRegisterAsBrowser, PropertyValue::Integer(7));
  EXPECT_EQ(box_->contentsRect(), QRect(2, 2, 396, 296));
  EXPECT_FALSE(box_->ControlWidget()->acceptDrops());
  EXPECT_EQ(Get(wp::kRegisterAsBrowser).first, 1);

  int32_t length = 0;
  void* block = units::GetAllPropertyData(box_, &length);
  ASSERT_EQ(length, 24);
  const auto* bytes = static_cast<const uint8_t*>(block);
  std::vector<uint8_t> expected;
  for (uint32_t v : {1u, 1u, 1u, 0u, 0u, 1u}) test_support::PutU32(expected, v);  // version, border ...
  EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + length), expected);
  runtime::Free(block);
}

// The box wears the edge of every other unit with a border style, in the room that edge takes,
// and leaves none of the edge's pixels unpainted.
TEST_F(WebBrowserBoxTest, EachBorderStyleDrawsTheEdgeOtherUnitsDraw) {
  ASSERT_NE(MakeBox(), nullptr);
  for (int32_t style : {0, 1, 2, 3, 4, 5, 6}) {
    Set(wp::kBorder, PropertyValue::Integer(style));
    const int edge = units::EdgeWidth(style);
    const QRect inside = box_->rect().adjusted(edge, edge, -edge, -edge);
    EXPECT_EQ(box_->contentsRect(), inside) << "style " << style;
    EXPECT_EQ(box_->ControlWidget()->size(), inside.size()) << "style " << style;

    QImage shown(box_->size(), QImage::Format_RGB32);
    shown.fill(Qt::magenta);
    box_->render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());
    QImage expected(box_->size(), QImage::Format_RGB32);
    expected.fill(Qt::magenta);
    {
      QPainter painter(&expected);
      units::DrawEdge(painter, expected.rect(), style);
    }
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (!inside.contains(x, y) && shown.pixel(x, y) != expected.pixel(x, y)) ++differing;
    EXPECT_EQ(differing, 0) << "edge pixels unlike the shared edge, style " << style;
  }
}

}  // namespace

namespace {

namespace wp = test_support::web_property;

TEST_F(WebBrowserBoxTest, AHandlerMayDestroyTheBoxWhileTheEngineReports) {
  server_.Serve("/gone", "<title>gone</title>");
  ASSERT_NE(MakeBox(), nullptr);
  ASSERT_TRUE(WaitForEvent(kDocumentComplete, "about:blank"));
  // The box goes in the middle of the engine's end-of-load notification, before the document
  // complete report that would follow it.
  onEvent_ = [this](units::TypedEventReport& report) {
    if (report.event == 5 && box_ != nullptr && GetText(wp::kLocationUrl).find("/gone") != std::string::npos) {
      delete box_;
      box_ = nullptr;
    }
  };
  const std::string gone = server_.Url("/gone").toStdString();
  Navigate(gone.c_str());
  ASSERT_TRUE(test_support::WaitUntil([this] { return box_ == nullptr; }));
  QTest::qWait(200);
  EXPECT_FALSE(SawEvent(kDocumentComplete, "/gone"));
}

}  // namespace

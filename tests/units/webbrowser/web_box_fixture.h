#pragma once
// A web browser box made directly through its type's interfaces, inside a shown widget, with a
// stand-in host that records the box's typed events and lets a test answer them.
#include <QDeadlineTimer>
#include <QDialog>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/program/notify_codes.h"
#include "contract/event_report.h"
#include "contract/live_window.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_records.h"
#include "libraries/support_libraries.h"
#include "units/webbrowser/webbrowser_unit.h"
#include "units/webbrowser/webbrowser_properties.h"

namespace test_support {

namespace web_event = units::webbrowser_event;

// Own property indexes the tests name.
namespace web_property {
constexpr int32_t kBorder = units::kWebBrowserTable.IndexOf("Border");
constexpr int32_t kSilent = units::kWebBrowserTable.IndexOf("Silent");
constexpr int32_t kDropTarget = units::kWebBrowserTable.IndexOf("RegisterAsDropTarget");
constexpr int32_t kRegisterAsBrowser = units::kWebBrowserTable.IndexOf("RegisterAsBrowser");
constexpr int32_t kResizable = units::kWebBrowserTable.IndexOf("Resizable");
constexpr int32_t kFullName = units::kWebBrowserTable.IndexOf("FullName");
constexpr int32_t kLocationUrl = units::kWebBrowserTable.IndexOf("LocationURL");
constexpr int32_t kLocationName = units::kWebBrowserTable.IndexOf("LocationName");
constexpr int32_t kType = units::kWebBrowserTable.IndexOf("Type");
constexpr int32_t kEditMode = units::kWebBrowserTable.IndexOf("EditMode");
constexpr int32_t kFontName = units::kWebBrowserTable.IndexOf("FontName");
}  // namespace web_property

struct SeenEvent {
  int32_t number;
  std::string text;  // the first argument when it is a text by reference
};

// The box's window: a modal window of the program may block it, as the window manager does.
class BoxWindow : public QWidget, public units::LiveWindow {
 public:
  QWidget* Widget() override { return this; }
  bool Idle(int64_t /*elapsedMs*/) override { return false; }
  int InitialShowState() override { return 0; }
};

// Answers the boxes a page brings up. The test itself waits beneath a box's own event loop, so
// the answers come from a timer: each box is recorded, then handed to `answer`.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::function<void(QDialog*)> answer);
  int seen = 0;
  QStringList titles;
  QStringList texts;  // every label of each box, joined
  QList<bool> offeredSilence;

 private:
  QTimer timer_;
  std::function<void(QDialog*)> answer_;
};

// Clicks the box's button that reads `text`.
void Press(QDialog* box, const QString& text);

class WebBoxFixture : public ::testing::Test {
  friend struct FixtureAccess;

 protected:
  static constexpr uint32_t kWindowId = 0x52010001;
  static constexpr uint32_t kUnitId = 0x16010002;

  void SetUp() override;
  // Also deletes the closed boxes' views still waiting to go, as the end of a program does.
  void TearDown() override;

  // A box over the whole of a 400 x 300 window; null when it could not be made.
  units::WebBrowserBox* MakeBox(const std::vector<uint8_t>& data = {});

  units::PropertyValue Get(int32_t ownIndex, units::PropertyValue start = {});
  void Set(int32_t ownIndex, units::PropertyValue value);
  std::string GetText(int32_t ownIndex);
  // Through the library's Navigate command, with only the arguments given.
  void Navigate(const char* url, const char* headers = nullptr);

  // Waits, bounded, for event `number` whose text argument contains `text`.
  bool WaitForEvent(int32_t number, const std::string& text = {}, int milliseconds = 15000);
  bool SawEvent(int32_t number, const std::string& text = {}) const;

  BoxWindow window_;
  units::WebBrowserBox* box_ = nullptr;
  std::vector<SeenEvent> events_;
  // Runs for every typed report before it is recorded.
  std::function<void(units::TypedEventReport&)> onEvent_;
};

bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 15000);

}  // namespace test_support

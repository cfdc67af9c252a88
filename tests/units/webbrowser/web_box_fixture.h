#pragma once
// A web browser box made directly through its type's interfaces, inside a shown widget, with a
// stand-in host that records the box's typed events and lets a test answer them.
#include <QDeadlineTimer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/program/notify_codes.h"
#include "units/framework/event_report.h"
#include "units/framework/unit_interfaces.h"
#include "units/framework/unit_type_records.h"
#include "units/libraries/web_library.h"
#include "units/webbrowser/web_browser_box.h"
#include "units/webbrowser/web_browser_properties.h"

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

class WebBoxFixture : public ::testing::Test {
  friend struct FixtureAccess;

 protected:
  static constexpr uint32_t kWindowId = 0x52010001;
  static constexpr uint32_t kUnitId = 0x16010002;

  void SetUp() override;
  // Also lets go of the engine's page kept for the next box, as the end of a program does.
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

  QWidget window_;
  units::WebBrowserBox* box_ = nullptr;
  std::vector<SeenEvent> events_;
  // Runs for every typed report before it is recorded.
  std::function<void(units::TypedEventReport&)> onEvent_;
};

bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 15000);

}  // namespace test_support

// The two web page windows: once a window is created, its browser box is sent to the page. The
// page loads in the background; the handler returns at once.
#include "app/constant_area.h"
#include "app/toolbox.h"
#include "app/toolbox_ids.h"
#include "base/program/bridge.h"
#include "libraries/support_libraries.h"
#include "toolbox_forms.h"

namespace toolbox {
namespace {

void Navigate(uint32_t window, uint32_t browser, const char* address) {
  // Flags, target frame and extra headers are left out: their records stay all zero.
  runtime::ValueRecord args[5];
  for (runtime::ValueRecord& arg : args) arg = runtime::MakeValue(runtime::type::kNone);
  args[0].type = kWebBrowserBoxType;
  args[0].unit = {window, browser};
  args[1].type = runtime::type::kText;
  args[1].text = address;
  // The bridge counts the library's place from 0.
  constexpr uint32_t kWeb = units::library_number::kWeb;
  runtime::Bridge().callLibraryCommand(LibraryCommand(kWeb, units::web_command::kNavigate), kWeb - 1, 5, args);
}

}  // namespace

bool ShowAnswerPage(const intptr_t*, int32_t, int64_t*) {
  Navigate(answer::kWindow, answer::kBrowser, kConstants.answerPage);
  return false;
}

bool ShowSchedulePage(const intptr_t*, int32_t, int64_t*) {
  Navigate(schedule::kWindow, schedule::kBrowser, kConstants.schedulePage);
  return false;
}

}  // namespace toolbox

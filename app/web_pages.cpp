// The two web page windows: once a window is created, its browser box is sent to the page. The
// page loads in the background; the handler returns at once.
#include "app/constant_area.h"
#include "app/handlers.h"
#include "app/toolbox_ids.h"
#include "base/program/bridge.h"
#include "libraries/web_library.h"

namespace toolbox {
namespace {

constexpr int kNavigate = 0;     // the web page library's only command
constexpr int32_t kWebLibrary = 3;  // its place in the library table, from 0

void Navigate(uint32_t window, uint32_t browser, const char* address) {
  // Flags, target frame and extra headers are left out: their records stay all zero.
  runtime::ValueRecord args[5];
  for (runtime::ValueRecord& arg : args) arg = runtime::MakeValue(runtime::type::kNone);
  args[0].type = kWebBrowserBoxType;
  args[0].unit = {window, browser};
  args[1].type = runtime::type::kText;
  args[1].text = address;
  runtime::Bridge().callLibraryCommand(units::WebLibrary().commands[kNavigate], kWebLibrary, 5, args);
}

}  // namespace

bool ShowAnswerPage(const intptr_t*, int32_t, int64_t*) {
  Navigate(kAnswerWindow.window, kAnswerBrowser, kConstants.answerPage);
  return false;
}

bool ShowSchedulePage(const intptr_t*, int32_t, int64_t*) {
  Navigate(kScheduleWindow.window, kScheduleBrowser, kConstants.schedulePage);
  return false;
}

}  // namespace toolbox

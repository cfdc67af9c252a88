// The main window's four tool buttons: each loads its tool window modally over the main window.
// The load returns when the tool window has closed; its result is of no interest.
#include "app/toolbox.h"
#include "app/toolbox_ids.h"
#include "base/program/bridge.h"
#include "libraries/support_libraries.h"
#include "toolbox_forms.h"

namespace toolbox {

void OpenModally(uint32_t window, uint32_t ownUnit) {
  runtime::ValueRecord args[3];
  args[0] = runtime::MakeValue(kWindowUnitType);
  args[0].unit = {window, ownUnit};
  args[1] = runtime::MakeValue(runtime::type::kNone);  // no parent window
  args[2] = runtime::MakeValue(runtime::type::kBool);
  args[2].i32 = 1;  // modal
  const runtime::LibraryCommand load = LibraryCommand(units::library_number::kCore, units::core_command::kLoadWindow);
  runtime::Bridge().callCoreCommand(load, 3, args);
}

bool OpenPriceCalculator(const intptr_t*, int32_t, int64_t*) {
  OpenModally(price::kWindow, price::kOwnUnit);
  return false;
}

bool OpenScoreCalculator(const intptr_t*, int32_t, int64_t*) {
  OpenModally(score::kWindow, score::kOwnUnit);
  return false;
}

bool OpenAnswerPage(const intptr_t*, int32_t, int64_t*) {
  OpenModally(answer::kWindow, answer::kOwnUnit);
  return false;
}

bool OpenSchedulePage(const intptr_t*, int32_t, int64_t*) {
  OpenModally(schedule::kWindow, schedule::kOwnUnit);
  return false;
}

}  // namespace toolbox

#pragma once
// What the toolbox's routines pass to the runtime beside the ids of windows and units, which the
// forms name (the generated toolbox_forms.h: main_window::kPriceButton, score::kCalculate, ...).
#include <cstdint>

namespace toolbox {

// Unit type ids that travel as the type code of a unit passed to a command.
constexpr uint32_t kWindowUnitType = 0x00010001;
constexpr uint32_t kWebBrowserBoxType = 0x00040001;

// Property 8: an edit box's content, a transparent label's caption.
constexpr int32_t kTextProperty = 8;

}  // namespace toolbox

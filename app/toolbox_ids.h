#pragma once
// The windows and units the toolbox's routines address: the identifiers the forms in
// forms/toolbox_forms.json give them; a change there must be made here too.
#include <cstdint>

namespace toolbox {

// Unit type ids that travel as the type code of a unit passed to a command.
constexpr uint32_t kWindowUnitType = 0x00010001;
constexpr uint32_t kWebBrowserBoxType = 0x00040001;

struct WindowIds {
  uint32_t window;
  uint32_t ownUnit;
};

constexpr WindowIds kMainWindow = {0x52010001, 0x06010000};
constexpr WindowIds kPriceWindow = {0x52010008, 0x06010009};
constexpr WindowIds kScoreWindow = {0x5201002d, 0x0601002c};
constexpr WindowIds kAnswerWindow = {0x5201008b, 0x0601008c};
constexpr WindowIds kScheduleWindow = {0x5201009a, 0x06010099};

// The web browser box of each web page window.
constexpr uint32_t kAnswerBrowser = 0x1601008d;
constexpr uint32_t kScheduleBrowser = 0x1601009d;

// Property 8: an edit box's content, a transparent label's caption.
constexpr int32_t kTextProperty = 8;

}  // namespace toolbox

#pragma once
// The window unit's own properties: the state that keeps them, one row each, and the unit type
// record. A written property shows at once: the window is never re-created.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/unit_type_records.h"
#include "units/window/window_shape.h"
#include "units/window/window_unit.h"

namespace units {

// The own properties the window keeps, each in the field its row below names.
struct WindowState {
  std::string title;  // GBK
  int32_t borderStyle;
  uint32_t backColor;
  std::vector<uint8_t> backPicture;
  // Where backPicture was read from; empty once it is set at run time.
  std::span<const uint8_t> backPictureSource;
  int32_t backPictureMode;
  std::vector<uint8_t> backSound;
  int32_t soundPlayMode;
  int32_t controlBox;
  int32_t maxButton;
  int32_t minButton;
  int32_t position;
  int32_t closable;
  std::vector<uint8_t> icon;
  int32_t enterMovesFocus;
  int32_t escCloses;
  int32_t f1Help;
  std::string helpFile;  // GBK
  int32_t helpTopic;
  int32_t showInTaskbar;
  int32_t moveAnywhere;
  int32_t shape;
  int32_t alwaysOnTop;
  int32_t keepTitleActive;
  std::string className;  // GBK
};

namespace window_rows {
using S = WindowState;
using U = WindowUnit;
using namespace property_type;
constexpr uint16_t kNative = property_state::kNative;

inline int32_t CaptionChanged(U& window) {
  window.ApplyWindowFlags();
  return 0;
}
inline int32_t RepaintBackground(U& window) {
  window.RepaintBackground();
  return 0;
}
inline int32_t RestartSound(U& window) {
  window.StopSound();
  window.StartSound();
  return 0;
}

inline constexpr PropertyRow<S, U> kRows[] = {
    {.name = "Title", .type = kText, .state = kNative, .text = &S::title, .stored = 22,
     .apply = [](U& window) {
       window.TitleChanged();
       return 0;
     }},
    // The outer rectangle stays; the client area follows the new frame.
    {.name = "BorderStyle", .type = kChoice, .state = kNative, .word = &S::borderStyle, .stored = 0,
     .initial = window_border::kFixed, .low = window_border::kNone, .high = window_border::kFixedSunken,
     .choices = window_border::kNames,
     .set = [](U& window, const PropertyValue& value) {
       window.SetBorderStyle(value.AsInteger());
       return 0;
     }},
    {.name = "BackColor", .type = kBackColor, .state = kNative, .color = &S::backColor, .stored = 2,
     .initial = kDefaultColor, .apply = RepaintBackground},
    {.name = "BackPicture", .type = kPicture, .state = kNative, .bytes = &S::backPicture,
     .source = &S::backPictureSource, .stored = 19,
     .apply = [](U& window) {
       window.BackPictureChanged();
       return 0;
     }},
    {.name = "BackPictureMode", .type = kChoice, .state = kNative, .word = &S::backPictureMode, .stored = 1,
     .initial = static_cast<int32_t>(PictureMode::kTiled), .low = static_cast<int32_t>(PictureMode::kTopLeft),
     .high = static_cast<int32_t>(PictureMode::kStretched), .choices = kPictureModeNames,
     .apply = [](U& window) {
       if (!window.Props().backPicture.empty()) window.RepaintBackground();
       return 0;
     }},
    {.name = "BackSound", .type = kSound, .state = kNative, .bytes = &S::backSound, .stored = 21,
     .apply = RestartSound},
    {.name = "SoundPlayMode", .type = kChoice, .state = kNative, .word = &S::soundPlayMode, .stored = 8,
     .low = sound_play_mode::kRepeat, .high = sound_play_mode::kSilent, .choices = sound_play_mode::kNames,
     .apply = RestartSound},
    {.name = "ControlBox", .type = kLogical, .state = kNative, .word = &S::controlBox, .stored = 5, .initial = 1,
     .logical = true, .apply = CaptionChanged},
    {.name = "MaxButton", .type = kLogical, .state = kNative, .word = &S::maxButton, .stored = 3, .logical = true,
     .apply = CaptionChanged},
    {.name = "MinButton", .type = kLogical, .state = kNative, .word = &S::minButton, .stored = 4, .initial = 1,
     .logical = true, .apply = CaptionChanged},
    // Reads the window's state now, not the stored choice: a centred window shown normally reads
    // kStored.
    {.name = "Position", .type = kChoice, .state = kNative, .word = &S::position, .stored = 6,
     .initial = window_position::kCentred, .low = window_position::kStored, .high = window_position::kMaximised,
     .choices = window_position::kNames,
     .apply = [](U& window) {
       window.ApplyPosition();
       return 0;
     },
     .get = [](U& window, PropertyValue& value) {
       value = PropertyValue::Integer(window.isMinimized()   ? window_position::kMinimised
                                      : window.isMaximized() ? window_position::kMaximised
                                                             : window_position::kStored);
       return true;
     }},
    {.name = "Closable", .type = kLogical, .state = kNative, .word = &S::closable, .stored = 7, .initial = 1,
     .logical = true, .apply = CaptionChanged},
    {.name = "Icon", .type = kIcon, .state = kNative, .bytes = &S::icon, .stored = 20,
     .apply = [](U& window) {
       window.ApplyIcons();
       return 0;
     }},
    // Read when the keys come: nothing to show.
    {.name = "EnterMovesFocus", .type = kLogical, .state = kNative, .word = &S::enterMovesFocus, .stored = 9,
     .logical = true},
    {.name = "EscCloses", .type = kLogical, .state = kNative, .word = &S::escCloses, .stored = 10, .initial = 1,
     .logical = true},
    {.name = "F1Help", .type = kLogical, .state = kNative, .word = &S::f1Help, .stored = 11, .logical = true},
    {.name = "HelpFile", .type = kFileName, .state = kNative, .text = &S::helpFile, .stored = 23},
    {.name = "HelpTopic", .type = kInteger, .state = kNative, .word = &S::helpTopic, .stored = 12},
    {.name = "ShowInTaskbar", .type = kLogical, .state = kNative, .word = &S::showInTaskbar, .stored = 13, .since = 2,
     .initial = 1, .logical = true},
    {.name = "MoveAnywhere", .type = kLogical, .state = kNative, .word = &S::moveAnywhere, .stored = 14, .since = 3,
     .logical = true},
    {.name = "Shape", .type = kChoice, .state = kNative, .word = &S::shape, .stored = 15, .since = 3, .low = 0,
     .high = kShapeCount - 1, .choices = kShapeNames,
     .apply = [](U& window) {
       window.ApplyShape();
       return 0;
     }},
    {.name = "AlwaysOnTop", .type = kLogical, .state = kNative, .word = &S::alwaysOnTop, .stored = 16, .since = 4,
     .logical = true,
     .apply = [](U& window) {
       window.ApplyTopmost();
       return 0;
     }},
    {.name = "KeepTitleActive", .type = kLogical, .state = kNative, .word = &S::keepTitleActive, .stored = 17,
     .since = 5, .logical = true,
     .apply = [](U& window) {
       window.ApplyKeepTitleActive();
       return 0;
     }},
    {.name = "ClassName", .type = kText, .state = kNative, .text = &S::className, .stored = 18, .since = 6},
};
}  // namespace window_rows

inline constexpr PropertyTable kWindowTable{window_rows::kRows, 6};
using WindowType = TabledUnitType<kWindowTable>;
using WindowProperties = WindowType::Properties;

inline constexpr runtime::UnitTypeRecord kWindowType = MakeUnitTypeRecord<type_id::kWindow>(
    "\xb4\xb0\xbf\xda", "window",
    type_flag::kNative | type_flag::kContainer | type_flag::kWindowed | type_flag::kNoRecreate,
    kWindowTable.HostEntries());  // 窗口

}  // namespace units

#pragma once
// The super button's own properties: the state that keeps them, one row each, and the unit type record.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/unit_type_records.h"
#include "units/superbtn/lighten_color.h"
#include "units/superbtn/superbtn_unit.h"

namespace units {

// The own properties the unit keeps, each in the field its row below names.
struct SuperBtnState {
  int32_t buttonStyle;
  int32_t checkMode;  // each click toggles `checked`
  int32_t checked;
  int32_t picturePosition;
  int32_t pressOffset;
  int32_t hoverBorder;
  int32_t hoverFocusRect;
  std::vector<uint8_t> normalPicture;
  uint32_t normalTransColor;  // 0xFF000000: the picture's top-left pixel
  std::vector<uint8_t> hotPicture;
  uint32_t hotTransColor;
  std::vector<uint8_t> disabledPicture;
  uint32_t disabledTransColor;
  // Where each picture was read from; empty once it is set at run time.
  std::span<const uint8_t> normalSource, hotSource, disabledSource;
  std::vector<uint8_t> font;  // a 60-byte font record, or anything else for the default GUI font
  std::string caption;        // GBK
  int32_t systemColors;       // take the six colours below from the system
  uint32_t normalTextColor;
  uint32_t normalBackColor;
  uint32_t hotTextColor;
  uint32_t hotBackColor;
  uint32_t focusTextColor;
  uint32_t focusBackColor;
  int32_t builtinSound;
  std::vector<uint8_t> hoverSound;  // complete WAVE file images
  std::vector<uint8_t> clickSound;
  std::string toolTip;  // GBK; empty: no tooltip
  int32_t defaultButton;
};

namespace superbtn_rows {
// DefaultButton's values by name: a plain button, or the window's default button.
inline constexpr const char* kDefaultButtonNames[] = {"Normal", "Default"};
using S = SuperBtnState;
using U = SuperBtnUnit;
using namespace property_type;
using property_state::kDependent;
using property_state::kGroupEnd;

// The six colours follow the system's button colours until the form sets them.
inline uint32_t ButtonText() {
  return platform::ToColorRef(platform::SystemColorOf(platform::SystemColor::kButtonText));
}
inline uint32_t ButtonFace() {
  return platform::ToColorRef(platform::SystemColorOf(platform::SystemColor::kButtonFace));
}
inline uint32_t LitButtonFace() { return LightenColor(ButtonFace(), 32); }

inline int32_t Repaint(U& button) {
  button.update();
  return 0;
}
template <PictureSlot Slot>
int32_t RebuildPicture(U& button) {
  button.RebuildPicture(Slot);
  return Repaint(button);
}

inline constexpr PropertyRow<S, U> kRows[] = {
    {.name = "ButtonStyle", .type = kChoice, .word = &S::buttonStyle, .stored = 0,
     .low = button_style::kHover, .high = button_style::kRounded, .choices = button_style::kNames,
     .apply = [](U& button) {
       if (button.Props().buttonStyle == button_style::kClassic) button.ClearHot();
       return Repaint(button);
     }},
    // Check mode is fixed when the button is made: a new value re-creates it, the same one does
    // nothing.
    {.name = "CheckMode", .type = kLogical, .word = &S::checkMode, .stored = 1,
     .set = [](U& button, const PropertyValue& value) {
       if (value.AsInteger() == button.Props().checkMode) return 0;
       button.Props().checkMode = value.AsInteger();
       return 1;
     }},
    // In check mode the live state counts: a click has toggled it before the handler runs.
    {.name = "Checked", .type = kLogical, .state = kDependent, .word = &S::checked, .stored = 2,
     .apply = [](U& button) {
       if (button.InCheckMode()) button.setChecked(button.Props().checked != 0);
       return Repaint(button);
     },
     .applicable = [](const S& s) { return s.checkMode != 0; },
     .get = [](U& button, PropertyValue& value) {
       value = PropertyValue::Integer(button.InCheckMode() ? button.isChecked() : button.Props().checked);
       return true;
     }},
    {.name = "PicturePosition", .type = kChoice, .word = &S::picturePosition, .stored = 3,
     .low = picture_position::kLeft, .high = picture_position::kTopLeft, .choices = picture_position::kNames,
     .apply = Repaint},
    {.name = "PressOffset", .type = kChoice, .word = &S::pressOffset, .stored = 4,
     .low = press_offset::kRightAndDown, .high = press_offset::kTwoDown, .choices = press_offset::kNames,
     .apply = Repaint},
    {.name = "HoverBorder", .type = kLogical, .word = &S::hoverBorder, .stored = 5, .initial = 1, .apply = Repaint,
     .applicable = [](const S& s) { return s.buttonStyle != button_style::kClassic; }},
    {.name = "HoverFocusRect", .type = kLogical, .state = kGroupEnd, .word = &S::hoverFocusRect, .stored = 6,
     .apply = Repaint, .applicable = [](const S& s) { return s.buttonStyle != button_style::kClassic; }},
    {.name = "NormalPicture", .type = kPicture, .bytes = &S::normalPicture, .source = &S::normalSource,
     .stored = 19, .apply = RebuildPicture<kNormalSlot>},
    {.name = "NormalTransColor", .type = kBackColor, .state = kDependent, .color = &S::normalTransColor, .stored = 8,
     .initial = platform::kDefaultColor, .apply = RebuildPicture<kNormalSlot>,
     .applicable = [](const S& s) { return !s.normalPicture.empty(); }},
    {.name = "HotPicture", .type = kPicture, .bytes = &S::hotPicture, .source = &S::hotSource, .stored = 18,
     .apply = RebuildPicture<kHotSlot>},
    {.name = "HotTransColor", .type = kBackColor, .state = kDependent, .color = &S::hotTransColor, .stored = 7,
     .initial = platform::kDefaultColor, .apply = RebuildPicture<kHotSlot>,
     .applicable = [](const S& s) { return !s.hotPicture.empty(); }},
    {.name = "DisabledPicture", .type = kPicture, .bytes = &S::disabledPicture, .source = &S::disabledSource,
     .stored = 26, .since = 2, .apply = RebuildPicture<kDisabledSlot>},
    {.name = "DisabledTransColor", .type = kBackColor, .state = kDependent | kGroupEnd,
     .color = &S::disabledTransColor, .stored = 25, .since = 2, .initial = platform::kDefaultColor,
     .apply = RebuildPicture<kDisabledSlot>,
     .applicable = [](const S& s) { return !s.disabledPicture.empty(); }},
    {.name = "Font", .type = kFont, .bytes = &S::font, .stored = 20,
     .apply = [](U& button) {
       button.ApplyFont();
       return Repaint(button);
     }},
    {.name = "Caption", .type = kText, .state = kGroupEnd, .text = &S::caption, .stored = 23,
     .initialText = "\xb3\xac\xbc\xb6\xb0\xb4\xc5\xa5",  // 超级按钮
     .apply = [](U& button) {
       button.ApplyCaption();
       return Repaint(button);
     }},
    {.name = "SystemColors", .type = kLogical, .word = &S::systemColors, .stored = 9, .initial = 1, .apply = Repaint},
    {.name = "NormalTextColor", .type = kColor, .state = kDependent, .color = &S::normalTextColor, .stored = 12,
     .initialColor = ButtonText, .apply = Repaint, .applicable = [](const S& s) { return s.systemColors == 0; }},
    {.name = "NormalBackColor", .type = kBackColor, .state = kDependent, .color = &S::normalBackColor, .stored = 13,
     .initialColor = ButtonFace, .apply = Repaint, .applicable = [](const S& s) { return s.systemColors == 0; }},
    {.name = "HotTextColor", .type = kColor, .state = kDependent, .color = &S::hotTextColor, .stored = 14,
     .initialColor = ButtonText, .apply = Repaint, .applicable = [](const S& s) { return s.systemColors == 0; }},
    {.name = "HotBackColor", .type = kBackColor, .state = kDependent, .color = &S::hotBackColor, .stored = 15,
     .initialColor = LitButtonFace, .apply = Repaint, .applicable = [](const S& s) { return s.systemColors == 0; }},
    {.name = "FocusTextColor", .type = kColor, .state = kDependent, .color = &S::focusTextColor, .stored = 16,
     .initialColor = ButtonText, .apply = Repaint, .applicable = [](const S& s) { return s.systemColors == 0; }},
    {.name = "FocusBackColor", .type = kBackColor, .state = kDependent | kGroupEnd, .color = &S::focusBackColor,
     .stored = 17, .initialColor = ButtonFace, .apply = Repaint,
     .applicable = [](const S& s) { return s.systemColors == 0; }},
    // Sounds are looked up when played: nothing to show.
    {.name = "BuiltinSound", .type = kLogical, .word = &S::builtinSound, .stored = 10},
    {.name = "HoverSound", .type = kSound, .state = kDependent, .bytes = &S::hoverSound, .stored = 21,
     .applicable = [](const S& s) { return s.builtinSound == 0 && s.buttonStyle != button_style::kClassic; }},
    {.name = "ClickSound", .type = kSound, .state = kDependent | kGroupEnd, .bytes = &S::clickSound, .stored = 22,
     .applicable = [](const S& s) { return s.builtinSound == 0; }},
    {.name = "ToolTip", .type = kText, .text = &S::toolTip, .stored = 24,
     .apply = [](U& button) {
       button.ApplyToolTip();
       return 0;
     }},
    // The default-button role is fixed when the button is made, and means nothing in check mode.
    {.name = "DefaultButton", .type = kChoice, .word = &S::defaultButton, .stored = 11, .low = 0, .high = 1,
     .recreate = true, .choices = kDefaultButtonNames, .applicable = [](const S& s) { return s.checkMode == 0; }},
};
}  // namespace superbtn_rows

inline constexpr PropertyTable kSuperBtnTable{superbtn_rows::kRows, 2};
using SuperBtnType = TabledUnitType<kSuperBtnTable>;
using SuperBtnProperties = SuperBtnType::Properties;

inline constexpr runtime::UnitTypeRecord kSuperBtnType = MakeUnitTypeRecord<type_id::kSuperBtn>(
    "\xb3\xac\xbc\xb6\xb0\xb4\xc5\xa5", "SuperBtn", type_flag::kPushButton | type_flag::kWindowed,
    kSuperBtnTable.HostEntries());  // 超级按钮

}  // namespace units

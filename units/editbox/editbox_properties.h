#pragma once
// The edit box's own properties: the state that keeps them, one row each, and the unit type record.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/font_record.h"
#include "units/editbox/editbox_unit.h"
#include "contract/edge_style.h"
#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/unit_type_records.h"

namespace units::editbox {

// The own properties the box keeps, each in the field its row below names.
struct EditBoxState {
  std::string content;  // GBK
  int32_t borderStyle;
  uint32_t textColor;
  uint32_t backColor;
  std::vector<uint8_t> font;
  int32_t hideSelection;
  int32_t maxLength;
  int32_t multiline;
  int32_t scrollBars;
  int32_t alignment;
  int32_t inputMode;
  uint16_t passwordChar;  // a single byte, or a GBK double-byte character with its lead byte high
  int32_t caseConversion;
  int32_t upDownMode;
  int32_t upDownMin;
  int32_t upDownMax;
  int32_t selStart;
  int32_t selLength;
  std::string dataSource;
  std::string dataColumn;

  // A password box shows a single line even when it asks for several: the masking belongs to the
  // single-line editor, and a password must never be shown in plain text.
  bool SingleLine() const { return multiline == 0 || inputMode == kPassword; }
};

namespace rows {
using S = EditBoxState;
namespace pt = property_type;  // spelt out: the input modes have names of their own
constexpr uint16_t kNative = property_state::kNative;

// A choice or logical that shows only in a re-created box, and only when it changes.
constexpr PropertyRow<S, EditBox> Recreating(PropertyRow<S, EditBox> row) {
  row.clampStored = true;
  row.whenChanged = true;
  row.recreate = true;
  return row;
}
inline bool Integer(int32_t v, PropertyValue& value) {
  value = PropertyValue::Integer(v);
  return true;
}
inline bool Text(const char* text, PropertyValue& value) {
  value = PropertyValue::Text(text);
  return true;
}

inline constexpr PropertyRow<S, EditBox> kRows[] = {
    {.name = "Content", .type = pt::kText, .state = kNative, .text = &S::content, .stored = 17,
     .set = [](EditBox& box, const PropertyValue& v) { box.SetContent(v.AsText()); return 0; }},
    {.name = "BorderStyle", .type = pt::kChoice, .state = kNative, .word = &S::borderStyle, .stored = 0,
     .initial = edit_border::kSunken, .low = edit_border::kNone, .high = edit_border::kSingleLine, .clampStored = true,
     .choices = kEdgeStyleNames,
     .apply = [](EditBox& box) { box.BorderChanged(); return 0; }},
    {.name = "TextColor", .type = pt::kColor, .state = kNative, .color = &S::textColor, .stored = 1,
     .apply = [](EditBox& box) { box.TextColorChanged(); return 0; }},
    {.name = "BackColor", .type = pt::kBackColor, .state = kNative, .color = &S::backColor, .stored = 2,
     .initial = 0xFFFFFF, .apply = [](EditBox& box) { box.BackColorChanged(); return 0; }},
    // Anything but a whole font record reads as no font.
    {.name = "Font", .type = pt::kFont, .state = kNative, .bytes = &S::font, .stored = 16,
     .apply = [](EditBox& box) { box.FontChanged(); return 0; },
     .get = [](EditBox& box, PropertyValue& value) {
       const std::vector<uint8_t>& font = box.State().font;
       const bool whole = font.size() == platform::kFontRecordSize;
       value = whole ? PropertyValue::Data(font.data(), font.size()) : PropertyValue{};
       return true;
     }},
    Recreating({.name = "HideSelection", .type = pt::kLogical, .state = kNative, .word = &S::hideSelection,
                .stored = 3, .initial = 1, .logical = true}),
    {.name = "MaxLength", .type = pt::kInteger, .state = kNative, .word = &S::maxLength, .stored = 4, .low = 0,
     .clampStored = true},
    Recreating({.name = "Multiline", .type = pt::kLogical, .state = kNative, .word = &S::multiline, .stored = 5,
                .logical = true}),
    Recreating({.name = "ScrollBars", .type = pt::kChoice, .state = kNative, .word = &S::scrollBars, .stored = 6,
                .low = scroll_bars::kNone, .high = scroll_bars::kBoth, .choices = scroll_bars::kNames}),
    Recreating({.name = "Alignment", .type = pt::kChoice, .state = kNative, .word = &S::alignment, .stored = 7,
                .low = text_alignment::kLeft, .high = text_alignment::kRight, .choices = text_alignment::kNames}),
    {.name = "InputMode", .type = pt::kChoice, .state = kNative, .word = &S::inputMode, .stored = 8,
     .low = kNormal, .high = kLastInputMode, .clampStored = true, .choices = kInputModeNames,
     .apply = [](EditBox& box) { return box.InputModeChanged(); }},
    // Written and read as a text; its first character is kept.
    {.name = "PasswordChar", .type = pt::kText, .state = kNative, .char16 = &S::passwordChar, .stored = 9,
     .initial = '*',
     .get = [](EditBox& box, PropertyValue& value) { return Text(box.PasswordChar(), value); },
     .set = [](EditBox& box, const PropertyValue& value) { box.SetPasswordChar(value.AsText()); return 0; }},
    Recreating({.name = "CaseConversion", .type = pt::kChoice, .state = kNative, .word = &S::caseConversion,
                .stored = 10, .low = case_conversion::kNone, .high = case_conversion::kUpper,
                .choices = case_conversion::kNames}),
    Recreating({.name = "UpDownMode", .type = pt::kChoice, .state = kNative, .word = &S::upDownMode, .stored = 11,
                .low = kNoUpDown, .high = kManualUpDown, .choices = kUpDownModeNames}),
    {.name = "UpDownMin", .type = pt::kInteger, .state = kNative, .word = &S::upDownMin, .stored = 12},
    {.name = "UpDownMax", .type = pt::kInteger, .state = kNative, .word = &S::upDownMax, .stored = 13, .initial = 100},
    // The selection is the editor's: the stored one is only where a new box starts.
    {.name = "SelStart", .type = pt::kInteger, .state = kNative, .word = &S::selStart, .stored = 14, .low = 0,
     .clampStored = true,
     .get = [](EditBox& box, PropertyValue& value) { return Integer(box.SelStart(), value); },
     .set = [](EditBox& box, const PropertyValue& value) { box.SetSelStart(value.AsInteger()); return 0; }},
    {.name = "SelLength", .type = pt::kInteger, .state = kNative, .word = &S::selLength, .stored = 15, .low = 0,
     .clampStored = true,
     .get = [](EditBox& box, PropertyValue& value) { return Integer(box.SelLength(), value); },
     .set = [](EditBox& box, const PropertyValue& value) { box.SetSelLength(value.AsInteger()); return 0; }},
    {.name = "SelText", .type = pt::kText, .state = kNative,
     .get = [](EditBox& box, PropertyValue& value) { return Text(box.SelText(), value); },
     .set = [](EditBox& box, const PropertyValue& value) { box.SetSelText(value.AsText()); return 0; }},
    // Without a data-source unit in the program the binding texts are only kept.
    {.name = "DataSource", .type = pt::kDataSource, .state = kNative, .text = &S::dataSource, .stored = 18, .since = 2},
    {.name = "DataColumn", .type = pt::kDataColumn, .state = kNative, .text = &S::dataColumn, .stored = 19, .since = 2},
};
}  // namespace rows

inline constexpr PropertyTable kEditBoxTable{rows::kRows, 2};
using EditBoxType = TabledUnitType<kEditBoxTable>;
using EditBoxProperties = EditBoxType::Properties;

// Own property numbers by name, for code that addresses one property by its number.
inline constexpr int32_t kContent = kEditBoxTable.IndexOf("Content");
inline constexpr int32_t kBorderStyle = kEditBoxTable.IndexOf("BorderStyle");
inline constexpr int32_t kTextColor = kEditBoxTable.IndexOf("TextColor");
inline constexpr int32_t kBackColor = kEditBoxTable.IndexOf("BackColor");
inline constexpr int32_t kFont = kEditBoxTable.IndexOf("Font");
inline constexpr int32_t kHideSelection = kEditBoxTable.IndexOf("HideSelection");
inline constexpr int32_t kMaxLength = kEditBoxTable.IndexOf("MaxLength");
inline constexpr int32_t kMultiline = kEditBoxTable.IndexOf("Multiline");
inline constexpr int32_t kScrollBars = kEditBoxTable.IndexOf("ScrollBars");
inline constexpr int32_t kAlignment = kEditBoxTable.IndexOf("Alignment");
inline constexpr int32_t kInputMode = kEditBoxTable.IndexOf("InputMode");
inline constexpr int32_t kPasswordChar = kEditBoxTable.IndexOf("PasswordChar");
inline constexpr int32_t kCaseConversion = kEditBoxTable.IndexOf("CaseConversion");
inline constexpr int32_t kUpDownMode = kEditBoxTable.IndexOf("UpDownMode");
inline constexpr int32_t kUpDownMin = kEditBoxTable.IndexOf("UpDownMin");
inline constexpr int32_t kUpDownMax = kEditBoxTable.IndexOf("UpDownMax");
inline constexpr int32_t kSelStart = kEditBoxTable.IndexOf("SelStart");
inline constexpr int32_t kSelLength = kEditBoxTable.IndexOf("SelLength");
inline constexpr int32_t kSelText = kEditBoxTable.IndexOf("SelText");
inline constexpr int32_t kDataSource = kEditBoxTable.IndexOf("DataSource");
inline constexpr int32_t kDataColumn = kEditBoxTable.IndexOf("DataColumn");
inline constexpr int32_t kPropertyCount = static_cast<int32_t>(kEditBoxTable.kCount);

}  // namespace units::editbox

namespace units {
inline constexpr runtime::UnitTypeRecord kEditBoxType = MakeUnitTypeRecord<type_id::kEditBox>(
    "\xb1\xe0\xbc\xad\xbf\xf2", "EditBox", type_flag::kNative | type_flag::kWindowed,
    editbox::kEditBoxTable.HostEntries());  // 编辑框
}  // namespace units

#pragma once
// The transparent label's own properties: the state that keeps them, one row each, and the unit
// type record. A written value is taken up at once: the label lays its text out again and repaints.
#include <cstdint>
#include <string>
#include <vector>

#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/told_results.h"
#include "contract/unit_type_records.h"
#include "units/translabel/translabel_unit.h"

namespace units {

// The own properties the unit keeps, each in the field its row below names.
struct TransLabelState {
  std::string text;  // GBK
  int32_t effect;
  std::vector<uint8_t> font;  // a 60-byte font record, or anything else for the default GUI font
  uint32_t textColor;         // 0x00BBGGRR
  int32_t horzAlign;
  int32_t wordWrap;   // non-zero: wrap from the top, vertAlign unused
  int32_t vertAlign;  // single line only
};

namespace translabel_rows {
using S = TransLabelState;
using namespace property_type;
inline int32_t Apply(TransLabelUnit& label) {
  label.Apply();
  return 0;
}
// A text written by a program is a result the user is told of.
inline int32_t ApplyText(TransLabelUnit& label) {
  label.Apply();
  NoteWrittenText(&label);
  return 0;
}
// Versions 0 and 1 hold the same fields; the vertical alignment is stored before the wrap flag.
inline constexpr PropertyRow<S, TransLabelUnit> kRows[] = {
    {.name = "Text", .type = kText, .text = &S::text, .stored = 6,
     .initialText = "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9", .apply = ApplyText},  // 透明标签
    {.name = "TextEffect", .type = kChoice, .word = &S::effect, .stored = 0, .low = label_effect::kPlain,
     .high = label_effect::kShadow, .choices = label_effect::kNames, .apply = Apply},
    {.name = "Font", .type = kFont, .bytes = &S::font, .stored = 5, .apply = Apply},
    {.name = "TextColor", .type = kColor, .color = &S::textColor, .stored = 1, .apply = Apply},
    {.name = "HorzAlign", .type = kChoice, .word = &S::horzAlign, .stored = 2, .low = label_alignment::kLeading,
     .high = label_alignment::kTrailing, .choices = label_alignment::kHorizontalNames, .apply = Apply},
    {.name = "WordWrap", .type = kLogical, .word = &S::wordWrap, .stored = 4, .apply = Apply},
    {.name = "VertAlign", .type = kChoice, .word = &S::vertAlign, .stored = 3, .initial = label_alignment::kCentred,
     .low = label_alignment::kLeading, .high = label_alignment::kTrailing,
     .choices = label_alignment::kVerticalNames, .apply = Apply},
};
}  // namespace translabel_rows

inline constexpr PropertyTable kTransLabelTable{translabel_rows::kRows, 1};
using TransLabelType = TabledUnitType<kTransLabelTable>;
using TransLabelProperties = TransLabelType::Properties;

inline constexpr runtime::UnitTypeRecord kTransLabelType = MakeUnitTypeRecord<type_id::kTransLabel>(
    "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9", "TransLabel", type_flag::kNoFocus | type_flag::kLabel | type_flag::kWindowed,
    kTransLabelTable.HostEntries());  // 透明标签

}  // namespace units

#pragma once
// The group box's own properties: the state that keeps them, one row each, and the unit type record.
#include <cstdint>
#include <string>
#include <vector>

#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/unit_type_records.h"
#include "units/groupbox/groupbox_unit.h"

namespace units {

// The own properties the unit keeps, each in the field its row below names.
struct GroupBoxState {
  std::string title;  // GBK
  int32_t alignment;
  uint32_t textColor;
  uint32_t backColor;
  std::vector<uint8_t> font;  // a 60-byte font record, else the default GUI font
};

namespace groupbox_rows {
using S = GroupBoxState;
using namespace property_type;
constexpr uint16_t kNative = property_state::kNative;
inline int32_t Repaint(GroupBox& box) {
  box.update();
  return 0;
}
inline constexpr PropertyRow<S, GroupBox> kRows[] = {
    {.name = "Title", .type = kText, .state = kNative, .text = &S::title, .stored = 4,
     .apply = [](GroupBox& box) { box.TitleChanged(); return 0; }},
    {.name = "Alignment", .type = kChoice, .state = kNative, .word = &S::alignment, .stored = 0,
     .low = title_alignment::kLeft, .high = title_alignment::kRight, .choices = title_alignment::kNames,
     .apply = Repaint},
    {.name = "TextColor", .type = kColor, .state = kNative, .color = &S::textColor, .stored = 1, .apply = Repaint},
    {.name = "BackColor", .type = kBackColor, .state = kNative, .color = &S::backColor, .stored = 2,
     .initial = kDefaultColor, .apply = Repaint},
    {.name = "Font", .type = kFont, .state = kNative, .bytes = &S::font, .stored = 3,
     .apply = [](GroupBox& box) { box.FontChanged(); return 0; }},
};
}  // namespace groupbox_rows

inline constexpr PropertyTable kGroupBoxTable{groupbox_rows::kRows, 1};
using GroupBoxType = TabledUnitType<kGroupBoxTable>;
using GroupBoxProperties = GroupBoxType::Properties;

inline constexpr runtime::UnitTypeRecord kGroupBoxType =
    MakeUnitTypeRecord<type_id::kGroupBox>("\xb7\xd6\xd7\xe9\xbf\xf2", "GroupBox",
                                           type_flag::kNative | type_flag::kDragsWindow | type_flag::kNoFocus |
                                               type_flag::kFrameLabel | type_flag::kContainer | type_flag::kWindowed,
                                           kGroupBoxTable.HostEntries());  // 分组框

}  // namespace units

#pragma once
// The hyperlink box's own properties: the state that keeps them, one row each, and the unit type record.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/colors.h"
#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/unit_type_records.h"
#include "units/hyperlinker/hyperlinker_unit.h"
#include "contract/edge_style.h"

namespace units {

// The own properties the unit keeps, each in the field its row below names.
struct HyperLinkerState {
  std::string text;  // GBK, like the addresses
  int32_t linkKind;
  std::string mailAddress;
  std::string webAddress;
  uint32_t linkColor;
  uint32_t visitedColor;
  uint32_t hoverColor;
  uint32_t backColor;
  int32_t border;
  std::vector<uint8_t> font;  // a 60-byte font record, else the default GUI font
};

namespace hyperlinker_rows {
using S = HyperLinkerState;
using namespace property_type;
constexpr uint16_t kNative = property_state::kNative;
// An address means something only for its kind of link.
constexpr uint16_t kAddress = property_state::kNative | property_state::kDependent;
inline int32_t Repaint(HyperLinker& box) {
  box.update();
  return 0;
}
inline int32_t AddressChanged(HyperLinker& box) {
  box.AddressChanged();
  return 0;
}
inline uint32_t HighlightColor() {
  return platform::ToColorRef(platform::SystemColorOf(platform::SystemColor::kHighlight));
}
inline constexpr PropertyRow<S, HyperLinker> kRows[] = {
    {.name = "Text", .type = kText, .state = kNative, .text = &S::text, .stored = 7, .apply = Repaint},
    {.name = "LinkKind", .type = kChoice, .state = kNative, .word = &S::linkKind, .stored = 0,
     .low = link_kind::kMail, .high = link_kind::kWeb, .choices = link_kind::kNames, .apply = Repaint},
    {.name = "MailAddress", .type = kText, .state = kAddress, .text = &S::mailAddress, .stored = 8,
     .apply = AddressChanged},
    {.name = "WebAddress", .type = kText, .state = kAddress, .text = &S::webAddress, .stored = 9,
     .apply = AddressChanged},
    {.name = "LinkColor", .type = kColor, .state = kNative, .color = &S::linkColor, .stored = 1, .initial = 0x00FF0000,
     .apply = Repaint},
    {.name = "VisitedColor", .type = kColor, .state = kNative, .color = &S::visitedColor, .stored = 2,
     .initial = 0x00000080, .apply = Repaint},
    {.name = "HoverColor", .type = kColor, .state = kNative, .color = &S::hoverColor, .stored = 3,
     .initialColor = HighlightColor, .apply = Repaint},
    {.name = "BackColor", .type = kBackColor, .state = kNative, .color = &S::backColor, .stored = 4,
     .initial = kDefaultColor, .apply = Repaint},
    {.name = "Border", .type = kChoice, .state = kNative, .word = &S::border, .stored = 5, .low = 0,
     .high = kMaxEdgeStyle, .choices = kEdgeStyleNames, .apply = [](HyperLinker& box) { box.BorderChanged(); return 0; }},
    {.name = "Font", .type = kFont, .state = kNative, .bytes = &S::font, .stored = 6,
     .apply = [](HyperLinker& box) { box.FontChanged(); return 0; }},
};
}  // namespace hyperlinker_rows

inline constexpr PropertyTable kHyperLinkerTable{hyperlinker_rows::kRows, 1};
using HyperLinkerType = TabledUnitType<kHyperLinkerTable>;
using HyperLinkerProperties = HyperLinkerType::Properties;

inline constexpr runtime::UnitTypeRecord kHyperLinkerType =
    MakeUnitTypeRecord<type_id::kHyperLinker>("\xb3\xac\xbc\xb6\xc1\xb4\xbd\xd3\xbf\xf2", "HyperLinker",
                                              type_flag::kNative | type_flag::kNoFocus | type_flag::kWindowed,
                                              kHyperLinkerTable.HostEntries());  // 超级链接框

}  // namespace units

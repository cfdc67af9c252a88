#pragma once
// The picture box's own properties: the state that keeps them, one row each, and the unit type record.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "contract/property_table.h"
#include "contract/tabled_unit_type.h"
#include "contract/unit_type_records.h"
#include "contract/edge_style.h"
#include "units/picbox/picbox_unit.h"

namespace units {

// The own properties the unit keeps, each in the field its row below names.
struct PicBoxState {
  int32_t borderStyle;
  uint32_t backColor;
  int32_t displayMode;
  int32_t playAnimation;
  std::vector<uint8_t> picture;
  // Where the picture was read from; empty once it is set at run time.
  std::span<const uint8_t> pictureSource;
  std::string dataSource;
  std::string dataColumn;
};

namespace picbox_rows {
using S = PicBoxState;
using namespace property_type;
constexpr uint16_t kNative = property_state::kNative;
inline constexpr PropertyRow<S, PictureBox> kRows[] = {
    {.name = "BorderStyle", .type = kChoice, .state = kNative, .word = &S::borderStyle, .stored = 0, .low = 0,
     .high = kMaxEdgeStyle, .choices = kEdgeStyleNames,
     .apply = [](PictureBox& box) { box.BorderStyleChanged(); return 0; }},
    {.name = "BackColor", .type = kBackColor, .state = kNative, .color = &S::backColor, .stored = 1,
     .initial = kDefaultColor, .apply = [](PictureBox& box) { box.BackColorChanged(); return 0; }},
    {.name = "Picture", .type = kPicture, .state = kNative, .bytes = &S::picture, .source = &S::pictureSource,
     .stored = 4, .apply = [](PictureBox& box) { box.PictureChanged(); return 0; }},
    {.name = "DisplayMode", .type = kChoice, .state = kNative, .word = &S::displayMode, .stored = 2,
     .low = display_mode::kNatural, .high = display_mode::kCentred, .whenChanged = true, .choices = display_mode::kNames,
     .apply = [](PictureBox& box) { box.DisplayModeChanged(); return 0; }},
    // Stored as read; answered and written as 0 or 1.
    {.name = "PlayAnimation", .type = kLogical, .state = kNative, .word = &S::playAnimation, .stored = 3,
     .initial = 1, .logical = true, .apply = [](PictureBox& box) { box.PlayAnimationChanged(); return 0; }},
    // Without a data-source unit in the program the binding texts are only kept.
    {.name = "DataSource", .type = kDataSource, .state = kNative, .text = &S::dataSource, .stored = 5, .since = 2},
    {.name = "DataColumn", .type = kDataColumn, .state = kNative, .text = &S::dataColumn, .stored = 6, .since = 2},
};
}  // namespace picbox_rows

inline constexpr PropertyTable kPicBoxTable{picbox_rows::kRows, 2};
using PicBoxType = TabledUnitType<kPicBoxTable>;
using PicBoxProperties = PicBoxType::Properties;

inline constexpr runtime::UnitTypeRecord kPicBoxType = MakeUnitTypeRecord<type_id::kPicBox>(
    "\xcd\xbc\xc6\xac\xbf\xf2", "PicBox",
    type_flag::kNative | type_flag::kDragsWindow | type_flag::kNoFocus | type_flag::kContainer | type_flag::kWindowed,
    kPicBoxTable.HostEntries());  // 图片框

}  // namespace units

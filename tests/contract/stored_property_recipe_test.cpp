// A stored property added to a type as the README's recipe says, tried on a copy of the group
// box's table: one colour field, one row, the table's version raised. The new property must read,
// write and round-trip through the property data, and data the real group box wrote must still
// read, with the new property at its default.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "contract/property_data.h"
#include "contract/property_table.h"
#include "units/groupbox/groupbox_properties.h"

namespace units {
namespace {

// The group box's state with one field added.
struct FramedState {
  std::string title;
  int32_t alignment;
  uint32_t textColor;
  uint32_t backColor;
  std::vector<uint8_t> font;
  uint32_t frameColor;
};

// The group box's rows, without their hooks, and one row for the new field.
using Row = PropertyRow<FramedState, GroupBox>;
using namespace property_type;
inline constexpr Row kFramedRows[] = {
    {.name = "Title", .type = kText, .state = property_state::kNative, .text = &FramedState::title, .stored = 4},
    {.name = "Alignment", .type = kChoice, .state = property_state::kNative, .word = &FramedState::alignment,
     .stored = 0, .low = title_alignment::kLeft, .high = title_alignment::kRight},
    {.name = "TextColor", .type = kColor, .state = property_state::kNative, .color = &FramedState::textColor,
     .stored = 1},
    {.name = "BackColor", .type = kBackColor, .state = property_state::kNative, .color = &FramedState::backColor,
     .stored = 2, .initial = kDefaultColor},
    {.name = "Font", .type = kFont, .state = property_state::kNative, .bytes = &FramedState::font, .stored = 3},
    {.name = "FrameColor", .type = kColor, .state = property_state::kNative, .color = &FramedState::frameColor,
     .stored = 5, .since = 2, .initial = 0x00808080},
};
inline constexpr PropertyTable kFramedTable{kFramedRows, 2};

using RealProperties = TabledProperties<kGroupBoxTable>;
using FramedProperties = TabledProperties<kFramedTable>;

std::vector<uint8_t> Written(PropertyObject& properties) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(WritePropertyData(properties, bytes));
  return bytes;
}

bool Read(PropertyObject& properties, const std::vector<uint8_t>& bytes) {
  return ReadPropertyData(properties, bytes.data(), static_cast<int32_t>(bytes.size()));
}

TEST(StoredPropertyRecipe, TheNewPropertyReadsWritesAndRoundTrips) {
  const TableView<kFramedTable> view;
  const int32_t frame = view.Find("FrameColor");
  ASSERT_EQ(frame, 5);
  EXPECT_EQ(view.Info(5).kind, PropertyKind::kColor);
  EXPECT_TRUE(view.Info(5).stored);
  // The host sees it by number, after the common properties and the five it had.
  EXPECT_EQ(kFramedTable.HostEntries()[kCommonPropertyCount + 5].type, kColor);

  auto properties = view.NewProperties();
  PropertyValue value;
  ASSERT_TRUE(view.Get(*properties, frame, value));
  EXPECT_EQ(value.AsInteger(), 0x00808080);
  ASSERT_TRUE(view.Set(*properties, frame, PropertyValue::Integer(0x00123456)));
  ASSERT_TRUE(view.Set(*properties, view.Find("Title"), PropertyValue::Text("Frame")));

  // The data is what the group box writes for the same values, at the new version, with the
  // new field after the others.
  RealProperties real;
  real.title = "Frame";
  std::vector<uint8_t> expected = Written(real);
  expected[0] = 2;
  expected.insert(expected.end(), {0x56, 0x34, 0x12, 0x00});
  const std::vector<uint8_t> bytes = Written(*properties);
  EXPECT_EQ(bytes, expected);

  FramedProperties back;
  ASSERT_TRUE(Read(back, bytes));
  EXPECT_EQ(back.frameColor, 0x00123456u);
  EXPECT_EQ(back.title, "Frame");
  EXPECT_EQ(Written(back), bytes);
}

// The raised version keeps the two apart: data of the old version reads with the new property at
// its default, and the old table refuses the new data rather than read part of it.
TEST(StoredPropertyRecipe, OldDataKeepsReadingAndTheOldTableRefusesTheNew) {
  RealProperties real;
  real.title = "Old";
  real.textColor = 0x000000FF;
  FramedProperties framed;
  framed.frameColor = 0;
  ASSERT_TRUE(Read(framed, Written(real)));
  EXPECT_EQ(framed.title, "Old");
  EXPECT_EQ(framed.textColor, 0x000000FFu);
  EXPECT_EQ(framed.frameColor, 0x00808080u);

  RealProperties old;
  EXPECT_FALSE(Read(old, Written(framed)));
  EXPECT_EQ(old.title, "");
}

}  // namespace
}  // namespace units

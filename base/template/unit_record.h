#pragma once
// Navigation over one entry of a unit list. Records keep their stored bytes; a view parses the
// variable-length parts once, with every position checked against the record's end, so a damaged
// or badly edited record gives an invalid view instead of a read outside it. A view is a snapshot:
// any change to the unit list (ReplaceBytes) invalidates views taken before it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace runtime {

struct UnitRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

struct EventBinding {
  int32_t event = 0;
  // Before relocation the stored offset (-1 none); after it 0 for none, else the 1-based slot of
  // the handler in the program's handler table.
  int32_t handler = 0;
};

// Positions of the fields that follow variable-length parts, from the record's first byte.
struct UnitLayout {
  size_t secondText = 0;
  size_t liveSlot = 0;         // A: live object slot; rectangle, cursor slot, parent follow
  uint32_t childCount = 0;
  size_t children = 0;         // A+32
  size_t pointerBlock = 0;     // the pointer data's length word
  size_t pointerLength = 0;    // a negative stored length counts as 0
  size_t tag = 0;
  size_t afterTag = 0;         // T
  uint32_t bindingCount = 0;
  size_t bindings = 0;         // T+16
  size_t propertyData = 0;     // T+36+8E
};

std::optional<UnitLayout> ParseUnitLayout(std::span<const uint8_t> record);

class UnitRecordView {
 public:
  explicit UnitRecordView(std::span<const uint8_t> record);

  // False when the record cannot be navigated; then every other accessor answers empty values.
  bool Valid() const { return layout_.has_value(); }
  const UnitLayout& Layout() const { return *layout_; }

  uint32_t Type() const;
  uint32_t EventSource() const;
  std::string_view Name() const;
  std::string_view SecondText() const;
  // The stored 32-bit slot words; the run-time pointers live beside the unit list.
  uint32_t LiveObjectWord() const;
  UnitRect Rect() const;
  uint32_t CursorWord() const;
  uint32_t Parent() const;
  std::vector<uint32_t> Children() const;
  std::span<const uint8_t> PointerData() const;
  std::string_view Tag() const;
  uint32_t StateFlags() const;
  uint32_t TabOrder() const;
  std::vector<EventBinding> Bindings() const;
  // Empty (a null pointer for the unit type) when the record ends at or before its start.
  std::span<const uint8_t> PropertyData() const;

 private:
  uint32_t Word(size_t position) const;

  std::span<const uint8_t> record_;
  std::optional<UnitLayout> layout_;
};

struct MenuItemLayout {
  size_t secondText = 0;
  size_t values = 0;   // shortcut, level, state bits
  size_t caption = 0;
  size_t handler = 0;  // the run-time slots and reserved bytes that follow are not required
};

std::optional<MenuItemLayout> ParseMenuItemLayout(std::span<const uint8_t> record);

class MenuItemView {
 public:
  explicit MenuItemView(std::span<const uint8_t> record);

  bool Valid() const { return layout_.has_value(); }
  const MenuItemLayout& Layout() const { return *layout_; }

  uint32_t Type() const;
  uint32_t EventSource() const;
  std::string_view Name() const;
  std::string_view SecondText() const;
  uint32_t Shortcut() const;
  uint32_t Level() const;
  uint32_t StateBits() const;
  std::string_view Caption() const;
  int32_t Handler() const;

 private:
  uint32_t Word(size_t position) const;
  std::string_view Text(size_t position) const;

  std::span<const uint8_t> record_;
  std::optional<MenuItemLayout> layout_;
};

}  // namespace runtime

#include "base/template/unit_record.h"

#include "platform/little_endian.h"

namespace runtime {

using platform::ByteCursor;
using platform::LoadU32;

namespace {

constexpr size_t kNamePosition = 24;  // unit type, event source, 16 reserved bytes
constexpr size_t kReservedAfterBindings = 20;

std::string_view TextAt(std::span<const uint8_t> record, size_t position) {
  std::string_view text;
  ByteCursor cursor(record, position);
  cursor.ReadZText(text);
  return text;
}

}  // namespace

std::optional<UnitLayout> ParseUnitLayout(std::span<const uint8_t> record) {
  UnitLayout layout;
  ByteCursor cursor(record, 0);
  std::string_view text;
  if (!cursor.Skip(kNamePosition) || !cursor.ReadZText(text)) return std::nullopt;
  layout.secondText = cursor.Position();
  if (!cursor.ReadZText(text)) return std::nullopt;
  layout.liveSlot = cursor.Position();
  if (!cursor.Skip(28) || !cursor.ReadU32(layout.childCount)) return std::nullopt;
  layout.children = cursor.Position();
  if (layout.childCount > cursor.Remaining() / 4 || !cursor.Skip(size_t{layout.childCount} * 4)) return std::nullopt;
  layout.pointerBlock = cursor.Position();
  std::span<const uint8_t> pointer;
  if (!cursor.ReadBlock(pointer)) return std::nullopt;
  layout.pointerLength = pointer.size();
  layout.tag = cursor.Position();
  if (!cursor.ReadZText(text)) return std::nullopt;
  layout.afterTag = cursor.Position();
  if (!cursor.Skip(12) || !cursor.ReadU32(layout.bindingCount)) return std::nullopt;
  layout.bindings = cursor.Position();
  if (layout.bindingCount > cursor.Remaining() / 8) return std::nullopt;
  // The reserved bytes after the bindings are skipped, never read: a record that stops inside
  // them simply has no property data.
  layout.propertyData = layout.bindings + size_t{layout.bindingCount} * 8 + kReservedAfterBindings;
  return layout;
}

UnitRecordView::UnitRecordView(std::span<const uint8_t> record) : record_(record), layout_(ParseUnitLayout(record)) {}

uint32_t UnitRecordView::Word(size_t position) const {
  return Valid() && position + 4 <= record_.size() ? LoadU32(record_.data() + position) : 0;
}

uint32_t UnitRecordView::Type() const { return Word(0); }
uint32_t UnitRecordView::EventSource() const { return Word(4); }
std::string_view UnitRecordView::Name() const { return Valid() ? TextAt(record_, kNamePosition) : std::string_view(); }
std::string_view UnitRecordView::SecondText() const {
  return Valid() ? TextAt(record_, layout_->secondText) : std::string_view();
}
uint32_t UnitRecordView::LiveObjectWord() const { return Valid() ? Word(layout_->liveSlot) : 0; }

UnitRect UnitRecordView::Rect() const {
  if (!Valid()) return {};
  size_t a = layout_->liveSlot;
  return {static_cast<int32_t>(Word(a + 4)), static_cast<int32_t>(Word(a + 8)), static_cast<int32_t>(Word(a + 12)),
          static_cast<int32_t>(Word(a + 16))};
}

uint32_t UnitRecordView::CursorWord() const { return Valid() ? Word(layout_->liveSlot + 20) : 0; }
uint32_t UnitRecordView::Parent() const { return Valid() ? Word(layout_->liveSlot + 24) : 0; }

std::vector<uint32_t> UnitRecordView::Children() const {
  std::vector<uint32_t> children;
  if (!Valid()) return children;
  children.reserve(layout_->childCount);
  for (uint32_t k = 0; k < layout_->childCount; ++k) children.push_back(Word(layout_->children + 4 * size_t{k}));
  return children;
}

std::span<const uint8_t> UnitRecordView::PointerData() const {
  return Valid() ? record_.subspan(layout_->pointerBlock + 4, layout_->pointerLength) : std::span<const uint8_t>();
}

std::string_view UnitRecordView::Tag() const { return Valid() ? TextAt(record_, layout_->tag) : std::string_view(); }
uint32_t UnitRecordView::StateFlags() const { return Valid() ? Word(layout_->afterTag + 4) : 0; }
uint32_t UnitRecordView::TabOrder() const { return Valid() ? Word(layout_->afterTag + 8) : 0; }

std::vector<EventBinding> UnitRecordView::Bindings() const {
  std::vector<EventBinding> bindings;
  if (!Valid()) return bindings;
  bindings.reserve(layout_->bindingCount);
  for (uint32_t k = 0; k < layout_->bindingCount; ++k) {
    size_t at = layout_->bindings + 8 * size_t{k};
    bindings.push_back({static_cast<int32_t>(Word(at)), static_cast<int32_t>(Word(at + 4))});
  }
  return bindings;
}

std::span<const uint8_t> UnitRecordView::PropertyData() const {
  if (!Valid() || layout_->propertyData >= record_.size()) return {};
  return record_.subspan(layout_->propertyData);
}

std::optional<MenuItemLayout> ParseMenuItemLayout(std::span<const uint8_t> record) {
  MenuItemLayout layout;
  ByteCursor cursor(record, 0);
  std::string_view text;
  if (!cursor.Skip(kNamePosition) || !cursor.ReadZText(text)) return std::nullopt;
  layout.secondText = cursor.Position();
  if (!cursor.ReadZText(text)) return std::nullopt;
  layout.values = cursor.Position();
  if (!cursor.Skip(12)) return std::nullopt;
  layout.caption = cursor.Position();
  if (!cursor.ReadZText(text)) return std::nullopt;
  layout.handler = cursor.Position();
  if (!cursor.Skip(4)) return std::nullopt;
  return layout;
}

MenuItemView::MenuItemView(std::span<const uint8_t> record)
    : record_(record), layout_(ParseMenuItemLayout(record)) {}

uint32_t MenuItemView::Word(size_t position) const {
  return Valid() && position + 4 <= record_.size() ? LoadU32(record_.data() + position) : 0;
}

std::string_view MenuItemView::Text(size_t position) const {
  return Valid() ? TextAt(record_, position) : std::string_view();
}

uint32_t MenuItemView::Type() const { return Word(0); }
uint32_t MenuItemView::EventSource() const { return Word(4); }
std::string_view MenuItemView::Name() const { return Text(kNamePosition); }
std::string_view MenuItemView::SecondText() const { return Valid() ? Text(layout_->secondText) : std::string_view(); }
uint32_t MenuItemView::Shortcut() const { return Valid() ? Word(layout_->values) : 0; }
uint32_t MenuItemView::Level() const { return Valid() ? Word(layout_->values + 4) : 0; }
uint32_t MenuItemView::StateBits() const { return Valid() ? Word(layout_->values + 8) : 0; }
std::string_view MenuItemView::Caption() const { return Valid() ? Text(layout_->caption) : std::string_view(); }
int32_t MenuItemView::Handler() const { return Valid() ? static_cast<int32_t>(Word(layout_->handler)) : 0; }

}  // namespace runtime

#include "base/template/unit_list.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_set>

#include "platform/little_endian.h"
#include "base/template/template_ids.h"
#include "base/template/unit_record.h"

namespace runtime {

using platform::LoadU32;
using platform::StoreU32;

namespace {

// -1 (none) becomes 0; an offset becomes its 1-based slot in the handler table.
bool RelocateField(uint8_t* field, std::span<const int32_t> handlerOffsets) {
  int32_t offset = static_cast<int32_t>(LoadU32(field));
  if (offset == -1) {
    StoreU32(field, 0);
    return true;
  }
  auto found = std::find(handlerOffsets.begin(), handlerOffsets.end(), offset);
  if (found == handlerOffsets.end()) return false;
  StoreU32(field, static_cast<uint32_t>(found - handlerOffsets.begin() + 1));
  return true;
}

}  // namespace

UnitList::UnitList(uint32_t count, HeapBlock buffer)
    : count_(count), buffer_(std::move(buffer)), liveObjects_(count, nullptr), cursors_(count, nullptr) {}

std::optional<UnitList> UnitList::FromBytes(uint32_t count, std::span<const uint8_t> buffer,
                                             const uint8_t* origin) {
  HeapBlock copy;
  if (uint64_t{count} * 8 > buffer.size() || !HeapBlock::TryCopy(buffer, &copy)) return std::nullopt;
  UnitList list(count, std::move(copy));
  if (origin != nullptr) {
    list.origin_ = origin;
    for (uint32_t i = 0; i < count; ++i) list.originOffsets_.push_back(list.OffsetAt(i));
  }
  for (uint32_t i = 0; i < count; ++i) {
    std::optional<UnitEntry> entry = list.EntryAt(i);
    if (!entry) return std::nullopt;
    bool navigable = IsMenuItemId(entry->id) ? ParseMenuItemLayout(entry->record).has_value()
                                              : ParseUnitLayout(entry->record).has_value();
    if (!navigable) return std::nullopt;
  }
  return list;
}

UnitList UnitList::CopyWithoutSlots() const {
  UnitList copy(count_, HeapBlock(std::span<const uint8_t>(buffer_.data(), buffer_.size())));
  copy.origin_ = origin_;
  copy.originOffsets_ = originOffsets_;
  return copy;
}

uint32_t UnitList::IdAt(uint32_t index) const {
  return index < count_ ? LoadU32(buffer_.data() + size_t{index} * 4) : 0;
}

uint32_t UnitList::OffsetAt(uint32_t index) const { return LoadU32(buffer_.data() + (size_t{count_} + index) * 4); }

std::optional<UnitEntry> UnitList::EntryAt(uint32_t index) const {
  if (index >= count_) return std::nullopt;
  size_t entries = EntriesStart();
  uint64_t at = uint64_t{entries} + OffsetAt(index);
  if (at + 4 > buffer_.size()) return std::nullopt;
  uint32_t length = LoadU32(buffer_.data() + at);
  if (length > buffer_.size() - at - 4) return std::nullopt;
  return UnitEntry{index, IdAt(index), std::span<const uint8_t>(buffer_.data() + at + 4, length)};
}

std::optional<UnitEntry> UnitList::EntryById(uint32_t id) const {
  if (!IsValidId(id)) return std::nullopt;
  for (uint32_t i = 0; i < count_; ++i) {
    if (IdAt(i) == id) return EntryAt(i);
  }
  return std::nullopt;
}

std::span<const uint8_t> UnitList::Original(uint32_t index, std::span<const uint8_t> part) const {
  if (origin_ == nullptr || index >= originOffsets_.size() || originOffsets_[index] == kChanged) return {};
  std::optional<UnitEntry> entry = EntryAt(index);
  if (!entry || part.data() < entry->record.data() ||
      part.data() + part.size() > entry->record.data() + entry->record.size())
    return {};
  const size_t at = EntriesStart() + originOffsets_[index] + 4 + static_cast<size_t>(part.data() - entry->record.data());
  return {origin_ + at, part.size()};
}

bool UnitList::IsMenuItem(uint32_t index) const { return index < count_ && IsMenuItemId(IdAt(index)); }

bool UnitList::ReplaceBytes(uint32_t index, int64_t position, int64_t oldLength,
                            std::span<const uint8_t> newBytes) {
  // The new bytes may be a view into this very buffer, which the splice below moves.
  const std::vector<uint8_t> bytes(newBytes.begin(), newBytes.end());
  std::optional<UnitEntry> entry = EntryAt(index);
  if (!entry) return false;
  int64_t recordLength = static_cast<int64_t>(entry->record.size());
  if (oldLength == -1) {
    position = 0;
    oldLength = recordLength;
  }
  if (position < 0 || oldLength < 0 || position > recordLength || oldLength > recordLength - position) return false;
  int64_t difference = static_cast<int64_t>(bytes.size()) - oldLength;
  int64_t newLength = recordLength + difference;
  if (newLength > std::numeric_limits<uint32_t>::max() ||
      static_cast<int64_t>(buffer_.size()) + difference > std::numeric_limits<uint32_t>::max()) {
    return false;
  }

  uint32_t changedOffset = OffsetAt(index);
  // Every entry sharing the record no longer matches its origin.
  for (uint32_t j = 0; j < originOffsets_.size(); ++j)
    if (OffsetAt(j) == changedOffset) originOffsets_[j] = kChanged;
  size_t lengthWord = EntriesStart() + changedOffset;
  size_t start = lengthWord + 4 + static_cast<size_t>(position);
  // The bytes after the replaced range move to their new place; the block grows before and
  // shrinks after the move.
  const size_t oldEnd = start + static_cast<size_t>(oldLength);
  const size_t tail = buffer_.size() - oldEnd;
  const size_t newSize = static_cast<size_t>(static_cast<int64_t>(buffer_.size()) + difference);
  if (difference > 0) buffer_.Resize(newSize);
  std::memmove(buffer_.data() + start + bytes.size(), buffer_.data() + oldEnd, tail);
  if (!bytes.empty()) std::memcpy(buffer_.data() + start, bytes.data(), bytes.size());
  if (difference < 0) buffer_.Resize(newSize);
  StoreU32(buffer_.data() + lengthWord, static_cast<uint32_t>(newLength));

  // Records stored after the changed one moved; entries are matched by position, not by index,
  // so lists whose entries are not in index order stay consistent.
  for (uint32_t j = 0; j < count_; ++j) {
    uint32_t offset = OffsetAt(j);
    if (offset > changedOffset) {
      StoreU32(buffer_.data() + (size_t{count_} + j) * 4, static_cast<uint32_t>(offset + difference));
    }
  }
  return true;
}

bool UnitList::RelocateHandlers(std::span<const int32_t> handlerOffsets) {
  // Entries sharing one record must not rewrite it twice.
  std::unordered_set<uint32_t> done;
  for (uint32_t i = 0; i < count_; ++i) {
    std::optional<UnitEntry> entry = EntryAt(i);
    if (!entry) return false;
    if (!done.insert(OffsetAt(i)).second) continue;
    uint8_t* record = buffer_.data() + (entry->record.data() - buffer_.data());
    if (IsMenuItem(i)) {
      std::optional<MenuItemLayout> layout = ParseMenuItemLayout(entry->record);
      if (!layout || !RelocateField(record + layout->handler, handlerOffsets)) return false;
      continue;
    }
    std::optional<UnitLayout> layout = ParseUnitLayout(entry->record);
    if (!layout) return false;
    for (uint32_t k = 0; k < layout->bindingCount; ++k) {
      if (!RelocateField(record + layout->bindings + 8 * size_t{k} + 4, handlerOffsets)) return false;
    }
  }
  return true;
}

bool UnitList::SetLiveObject(uint32_t index, void* object) {
  if (index >= count_) return false;
  liveObjects_[index] = object;
  return true;
}

bool UnitList::SetCursor(uint32_t index, void* cursor) {
  if (index >= count_) return false;
  cursors_[index] = cursor;
  return true;
}

}  // namespace runtime

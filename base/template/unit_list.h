#pragma once
// A window's unit list: M entry ids, M record offsets and the records, kept byte for byte as
// read. Every access re-checks the stored offsets and lengths, so the list stays safe to walk
// after any edit.
//
// The records live in one block of the memory service, as every buffer the host hands around.
//
// The live object slot and the cursor slot of a record are 32-bit words, too small for the
// pointers they stand for on a 64-bit build. The stored words are left as they are; the
// pointers live in side slots here, one pair per entry index.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/program/memory.h"

namespace runtime {

struct UnitEntry {
  uint32_t index = 0;
  uint32_t id = 0;
  std::span<const uint8_t> record;  // the bytes after the record's length word
};

class UnitList {
 public:
  UnitList() = default;
  UnitList(UnitList&&) = default;
  UnitList& operator=(UnitList&&) = default;
  UnitList(const UnitList&) = delete;
  UnitList& operator=(const UnitList&) = delete;

  // Checks that every entry lies inside the buffer and that every record can be navigated;
  // answers nothing for any inconsistency, or when no block can be had for the copy.
  // `origin`, when given, is where the buffer was copied from.
  static std::optional<UnitList> FromBytes(uint32_t count, std::span<const uint8_t> buffer,
                                           const uint8_t* origin = nullptr);

  // The same records with empty side slots; a failed allocation is the runtime error.
  UnitList CopyWithoutSlots() const;

  uint32_t Count() const { return count_; }
  std::vector<uint8_t> Bytes() const { return {buffer_.data(), buffer_.data() + buffer_.size()}; }

  uint32_t IdAt(uint32_t index) const;
  std::optional<UnitEntry> EntryAt(uint32_t index) const;
  // The first entry carrying `id`; nothing for an invalid or absent id.
  std::optional<UnitEntry> EntryById(uint32_t id) const;
  bool IsMenuItem(uint32_t index) const;
  // Where `part` (bytes of record `index`) lies in the bytes the list was copied from, while the
  // record is as it was read; empty once the record was changed, or without an origin. Handler
  // fields are rewritten in place when the list is read, so they are the one part that differs.
  std::span<const uint8_t> Original(uint32_t index, std::span<const uint8_t> part) const;

  // Replaces `oldLength` bytes at `position` of record `index` (-1: the whole record) by
  // `bytes`, adjusting the record's length word and the offsets of the records stored after it.
  // Answers false, changing nothing, when the range is not inside the record; a failed
  // allocation is the runtime error.
  bool ReplaceBytes(uint32_t index, int64_t position, int64_t oldLength, std::span<const uint8_t> bytes);

  // Rewrites every handler field, once, before any copy is taken: -1 becomes 0, an offset found
  // in `handlerOffsets` becomes its 1-based slot. False when an offset is not in the table
  // (fields already rewritten stay so).
  bool RelocateHandlers(std::span<const int32_t> handlerOffsets);

  void* LiveObject(uint32_t index) const { return index < count_ ? liveObjects_[index] : nullptr; }
  void* Cursor(uint32_t index) const { return index < count_ ? cursors_[index] : nullptr; }
  bool SetLiveObject(uint32_t index, void* object);
  bool SetCursor(uint32_t index, void* cursor);

 private:
  UnitList(uint32_t count, HeapBlock buffer);
  static constexpr uint32_t kChanged = UINT32_MAX;
  size_t EntriesStart() const { return size_t{count_} * 8; }
  uint32_t OffsetAt(uint32_t index) const;

  uint32_t count_ = 0;
  HeapBlock buffer_;
  std::vector<void*> liveObjects_;
  std::vector<void*> cursors_;
  const uint8_t* origin_ = nullptr;
  std::vector<uint32_t> originOffsets_;  // each entry's record offset as read, or kChanged
};

}  // namespace runtime

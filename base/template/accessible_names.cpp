#include "base/template/accessible_names.h"

#include "platform/little_endian.h"

namespace runtime {
namespace {

// Ids, reading order and the two counts.
constexpr size_t kSmallestEntry = 5 * 4;

void AppendText(std::vector<uint8_t>& out, const std::string& text) {
  platform::AppendU32(out, static_cast<uint32_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

std::optional<std::vector<AccessibleEntry>> ReadAccessibleNames(std::span<const uint8_t> data) {
  std::vector<AccessibleEntry> entries;
  if (data.empty()) return entries;
  platform::ByteCursor cursor(data);
  uint32_t version = 0, count = 0;
  if (!cursor.ReadU32(version) || version == 0 || version > kAccessibleNamesVersion) return std::nullopt;
  if (!cursor.ReadU32(count) || count > cursor.Remaining() / kSmallestEntry) return std::nullopt;
  entries.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    AccessibleEntry entry;
    std::span<const uint8_t> name, description;
    if (!cursor.ReadU32(entry.windowId) || !cursor.ReadU32(entry.unitId) || !cursor.ReadI32(entry.readingOrder) ||
        !cursor.ReadBlock(name) || !cursor.ReadBlock(description))
      return std::nullopt;
    entry.name.assign(name.begin(), name.end());
    entry.description.assign(description.begin(), description.end());
    entries.push_back(std::move(entry));
  }
  if (cursor.Remaining() != 0) return std::nullopt;
  return entries;
}

std::vector<uint8_t> WriteAccessibleNames(const std::vector<AccessibleEntry>& entries) {
  std::vector<uint8_t> out;
  platform::AppendU32(out, kAccessibleNamesVersion);
  platform::AppendU32(out, static_cast<uint32_t>(entries.size()));
  for (const AccessibleEntry& entry : entries) {
    platform::AppendU32(out, entry.windowId);
    platform::AppendU32(out, entry.unitId);
    platform::AppendU32(out, static_cast<uint32_t>(entry.readingOrder));
    AppendText(out, entry.name);
    AppendText(out, entry.description);
  }
  return out;
}

}  // namespace runtime

#pragma once
// The names and descriptions that assistive technology reads for a program's windows and units,
// and the order it reads a window's units in. They live beside the window template data, never
// in it: the form compiler writes them from the form source into a table of their own, which the
// program embeds next to its template.
//
// The table, little-endian: a 32-bit version (1), a 32-bit entry count, then per entry the window
// id, the unit id (a window's own unit for the window), a 32-bit reading order (0: none; lower is
// read first), the name and the description, each a 32-bit byte count followed by GBK bytes.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace runtime {

struct AccessibleEntry {
  uint32_t windowId = 0;
  uint32_t unitId = 0;
  int32_t readingOrder = 0;
  std::string name;         // GBK; empty: the unit's own caption or text
  std::string description;  // GBK
};

inline constexpr uint32_t kAccessibleNamesVersion = 1;

// The entries of a table; no data is a table without entries. Nothing when the table is
// damaged: a later version, a count or a length running past the end, bytes left over.
std::optional<std::vector<AccessibleEntry>> ReadAccessibleNames(std::span<const uint8_t> data);

// The table holding `entries`.
std::vector<uint8_t> WriteAccessibleNames(const std::vector<AccessibleEntry>& entries);

}  // namespace runtime

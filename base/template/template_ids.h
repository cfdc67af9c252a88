#pragma once
// Identifiers of windows, units and menu items: bits 31-28 id class, 27-24 id kind, 23-0 serial.
#include <cstdint>

namespace runtime {

constexpr uint32_t IdClass(uint32_t id) { return id >> 28; }
constexpr uint32_t IdKind(uint32_t id) { return (id >> 24) & 0xF; }
constexpr uint32_t IdSerial(uint32_t id) { return id & 0xFFFFFF; }

// Lookups by an identifier without kind or serial fail at once.
constexpr bool IsValidId(uint32_t id) { return IdKind(id) != 0 && IdSerial(id) != 0; }

constexpr bool IsMenuItemId(uint32_t id) { return IdKind(id) == 6 && IdClass(id) == 2; }

}  // namespace runtime

#pragma once
// Property values between the program (8 data bytes) and a unit (a property value), by the
// property type of the unit type's property entry.
#include <cstdint>
#include <string>
#include <vector>

#include "base/program/bridge.h"
#include "contract/unit_interfaces.h"

namespace runtime {

// A new heap text holding `text`, or null for an empty one.
char* NewText(std::string_view text);

// What the program receives for a property value of `type`; `index` selects a font part.
DataBytes ValueForProgram(int16_t type, const units::PropertyValue& value, int32_t index);

// A property value to hand to a unit, with the storage it points into.
struct UnitValue {
  units::PropertyValue value;
  std::vector<uint8_t> storage;
};

// What a unit receives for the program's 8 data bytes. `current` is the unit's present value,
// which a font part changes.
UnitValue ValueForUnit(int16_t type, DataBytes data, int32_t index, const units::PropertyValue& current);

// Mouse pointer data with its first word translated between the numberings.
std::vector<uint8_t> PointerDataForProgram(std::span<const uint8_t> data);
std::vector<uint8_t> PointerDataForUnit(std::span<const uint8_t> data);

}  // namespace runtime

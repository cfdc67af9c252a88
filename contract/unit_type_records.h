#pragma once
// How a unit type's record is made and placed in its library's array. Each type makes its record
// beside its property table; every record and array is a constant expression, so the arrays are
// filled before any code runs and no library depends on another file's initialisation order.
#include <array>
#include <cstddef>
#include <initializer_list>

#include "base/program/program_header.h"
#include "contract/type_flags.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"

namespace units {

template <uint32_t TypeId, size_t N>
constexpr runtime::UnitTypeRecord MakeUnitTypeRecord(const char* chineseName, const char* englishName, uint32_t flags,
                                                     const std::array<runtime::PropertyEntry, N>& properties) {
  runtime::UnitTypeRecord record{};
  record.chineseName = chineseName;
  record.englishName = englishName;
  record.flags = flags;
  record.propertyCount = static_cast<uint32_t>(N);
  record.properties = properties.data();
  record.getInterface = ForwardGetInterface<TypeId>;
  return record;
}

struct PlacedUnitType {
  uint32_t typeNumber;  // 1-based position in the library's array
  runtime::UnitTypeRecord record;
};

// A library's unit type array: the placed records at their positions, every other record zero.
template <size_t N>
constexpr std::array<runtime::UnitTypeRecord, N> UnitTypeArray(std::initializer_list<PlacedUnitType> placed) {
  std::array<runtime::UnitTypeRecord, N> types{};
  for (const PlacedUnitType& p : placed) types.at(p.typeNumber - 1) = p.record;
  return types;
}

}  // namespace units

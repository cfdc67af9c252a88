#pragma once
// The unit type records of the types the forms use, ready to be placed in the libraries' arrays.
// Every record and array here is a constant expression, so the arrays are filled before any code
// runs and no library depends on another file's initialisation order.
#include <array>
#include <cstddef>
#include <initializer_list>

#include "runtime/program/program_header.h"
#include "units/framework/property_tables.h"
#include "units/framework/type_flags.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"

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

inline constexpr runtime::UnitTypeRecord kEditBoxType = MakeUnitTypeRecord<type_id::kEditBox>(
    "\xb1\xe0\xbc\xad\xbf\xf2", "EditBox", type_flag::kNative | type_flag::kWindowed, kEditBoxProperties);  // 编辑框
inline constexpr runtime::UnitTypeRecord kPicBoxType = MakeUnitTypeRecord<type_id::kPicBox>(
    "\xcd\xbc\xc6\xac\xbf\xf2", "PicBox",
    type_flag::kNative | type_flag::kDragsWindow | type_flag::kNoFocus | type_flag::kContainer | type_flag::kWindowed,
    kPicBoxProperties);  // 图片框
inline constexpr runtime::UnitTypeRecord kHyperLinkerType =
    MakeUnitTypeRecord<type_id::kHyperLinker>("\xb3\xac\xbc\xb6\xc1\xb4\xbd\xd3\xbf\xf2", "HyperLinker",
                                              type_flag::kNative | type_flag::kNoFocus | type_flag::kWindowed,
                                              kHyperLinkerProperties);  // 超级链接框

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

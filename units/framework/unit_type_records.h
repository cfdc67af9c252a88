#pragma once
// The unit type records of the types the forms use, ready to be placed in the libraries' arrays.
// Every record and array here is a constant expression, so the arrays are filled before any code
// runs and no library depends on another file's initialisation order.
#include <array>
#include <cstddef>
#include <initializer_list>

#include "runtime/program/program_header.h"
#include "units/framework/property_tables.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"

namespace units {

namespace type_flag {
constexpr uint32_t kNoRecreate = 0x10;
constexpr uint32_t kPreTranslates = 0x20;
constexpr uint32_t kWindowed = 0x40;
constexpr uint32_t kContainer = 0x80;
constexpr uint32_t kPushButton = 0x800;
constexpr uint32_t kLabel = 0x2000;       // a mnemonic moves the focus on
constexpr uint32_t kFrameLabel = 0x4000;  // the same, for framing units
constexpr uint32_t kNoFocus = 0x10000;
constexpr uint32_t kDragsWindow = 0x4000000;
constexpr uint32_t kNative = 0x80000000;
}  // namespace type_flag

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

inline constexpr runtime::UnitTypeRecord kWindowType = MakeUnitTypeRecord<type_id::kWindow>(
    "\xb4\xb0\xbf\xda", "window",
    type_flag::kNative | type_flag::kContainer | type_flag::kWindowed | type_flag::kNoRecreate,
    kWindowProperties);  // 窗口
inline constexpr runtime::UnitTypeRecord kSuperBtnType = MakeUnitTypeRecord<type_id::kSuperBtn>(
    "\xb3\xac\xbc\xb6\xb0\xb4\xc5\xa5", "SuperBtn", type_flag::kPushButton | type_flag::kWindowed,
    kSuperBtnProperties);  // 超级按钮
inline constexpr runtime::UnitTypeRecord kTransLabelType = MakeUnitTypeRecord<type_id::kTransLabel>(
    "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9", "TransLabel", type_flag::kNoFocus | type_flag::kLabel | type_flag::kWindowed,
    kTransLabelProperties);  // 透明标签
inline constexpr runtime::UnitTypeRecord kWebBrowserType = MakeUnitTypeRecord<type_id::kWebBrowser>(
    "Vorel\xcd\xf8\xd2\xb3\xbf\xf2", "VorelWebBrowser", type_flag::kNative | type_flag::kWindowed,
    kWebBrowserProperties);  // Vorel网页框

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

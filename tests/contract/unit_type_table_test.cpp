#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gbk.h"
#include "contract/library_host.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_records.h"
#include "contract/unit_type_registry.h"
#include "libraries/support_libraries.h"
#include "units/editbox/editbox_properties.h"

namespace units {
namespace {

const runtime::LibraryRecord* const* const kLibraries = SupportLibraries().data();

struct Expected {
  uint32_t typeId;
  const char* chineseUtf8;
  const char* englishName;
  uint32_t flags;
  std::vector<int16_t> ownTypes;
  std::vector<uint16_t> ownStates;  // empty: every own entry has `state`
  uint16_t state;
};

const std::vector<Expected>& AllTypes() {
  // clang-format off
  static const std::vector<Expected> types = {
      {type_id::kWindow, "窗口", "window", 0x800000D0,
       {1005, 1006, 1017, 1009, 1006, 1012, 1006, 1003, 1003, 1003, 1006, 1003,
        1010, 1003, 1003, 1003, 1016, 1001, 1003, 1003, 1006, 1003, 1003, 1005}, {}, 0x8000},
      {type_id::kEditBox, "编辑框", "EditBox", 0x80000040,
       {1005, 1006, 1014, 1017, 1013, 1003, 1001, 1003, 1006, 1006, 1006,
        1005, 1006, 1006, 1001, 1001, 1001, 1001, 1005, 1018, 1020}, {}, 0x8000},
      {type_id::kPicBox, "图片框", "PicBox", 0x840100C0, {1006, 1017, 1009, 1006, 1003, 1018, 1020}, {}, 0x8000},
      {type_id::kGroupBox, "分组框", "GroupBox", 0x840140C0, {1005, 1006, 1014, 1017, 1013}, {}, 0x8000},
      {type_id::kHyperLinker, "超级链接框", "HyperLinker", 0x80010040,
       {1005, 1006, 1005, 1005, 1014, 1014, 1014, 1017, 1006, 1013},
       {0x8000, 0x8000, 0x8001, 0x8001, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000}, 0},
      {type_id::kSuperBtn, "超级按钮", "SuperBtn", 0x840,
       {1006, 1003, 1003, 1006, 1006, 1003, 1003, 1009, 1017, 1009, 1017, 1009, 1017, 1013,
        1005, 1003, 1014, 1017, 1014, 1017, 1014, 1017, 1003, 1012, 1012, 1005, 1006},
       {0, 0, 1, 0, 0, 0, 2, 0, 1, 0, 1, 0, 3, 0, 2, 0, 1, 1, 1, 1, 1, 3, 0, 1, 3, 0, 0}, 0},
      {type_id::kTransLabel, "透明标签", "TransLabel", 0x12040, {1005, 1006, 1013, 1014, 1006, 1003, 1006}, {}, 0},
      {type_id::kWebBrowser, "Vorel网页框", "VorelWebBrowser", 0x80000040,
       {1006, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1001, 1005, 1005, 1005,
        1005, 1003, 1005, 1001, 1001, 1001, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003, 1003},
       {0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 0x8004, 0x8004, 0x8004, 0x8014, 0x8004, 0x8004, 0x8004, 0x8004,
        0x8004, 0x8004, 0x8004, 0x8004, 0x8004, 0x8004, 0x8004, 0x8008, 0x8009, 0x8009, 0x8009, 0x8009, 0x800D,
        0x800D, 0x800D, 0x800D, 0x800D, 0x800D, 0x800D, 0x800D, 0x800D, 0x800D, 0x800D, 0x800D}, 0},
  };
  // clang-format on
  return types;
}

// Each type, found through the real library table at its place, carries its names, flags and a
// property table of the right length with the common entries first and its own entries' types.
TEST(UnitTypeTable, EveryTypeOfTheFormsIsInPlaceWithItsProperties) {
  for (const Expected& e : AllTypes()) {
    SCOPED_TRACE(e.englishName);
    const runtime::UnitTypeRecord* t = FindUnitType(kLibraries, 4, e.typeId);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(std::string(t->chineseName), platform::Utf8ToGbk(e.chineseUtf8));
    EXPECT_STREQ(t->englishName, e.englishName);
    EXPECT_EQ(t->flags, e.flags);
    EXPECT_EQ(t->description, nullptr);
    EXPECT_EQ(t->eventCount, 0u);
    EXPECT_NE(t->getInterface, nullptr);
    ASSERT_EQ(t->propertyCount, kCommonPropertyCount + e.ownTypes.size());
    const int16_t common[] = {1001, 1001, 1001, 1001, 1005, 1003, 1003, 1011};
    for (uint32_t i = 0; i < t->propertyCount; ++i) {
      const runtime::PropertyEntry& p = t->properties[i];
      EXPECT_EQ(p.chineseName, nullptr);
      EXPECT_EQ(p.englishName, nullptr);
      EXPECT_EQ(p.pickList, nullptr);
      if (i < kCommonPropertyCount) {
        EXPECT_EQ(p.type, common[i]) << "entry " << i;
        EXPECT_EQ(p.state, 0xE000) << "entry " << i;
      } else {
        const size_t own = i - kCommonPropertyCount;
        EXPECT_EQ(p.type, e.ownTypes[own]) << "own " << own;
        EXPECT_EQ(p.state, e.ownStates.empty() ? e.state : e.ownStates[own]) << "own " << own;
      }
    }
  }
}

TEST(UnitTypeTable, LibrariesHoldOnlyTheFilledRecords) {
  const uint32_t counts[] = {51, 9, 5, 5};
  int filled = 0;
  for (uint32_t lib = 1; lib <= 4; ++lib) {
    ASSERT_EQ(kLibraries[lib - 1]->unitTypeCount, counts[lib - 1]);
    for (uint32_t type = 1; type <= counts[lib - 1]; ++type)
      if (FindUnitType(kLibraries, 4, MakeUnitTypeId(lib, type)) != nullptr) ++filled;
  }
  EXPECT_EQ(filled, 8);
}

TEST(UnitTypeTable, LookupStaysWithinTheTables) {
  EXPECT_EQ(FindUnitType(kLibraries, 4, MakeUnitTypeId(0, 1)), nullptr);
  EXPECT_EQ(FindUnitType(kLibraries, 4, MakeUnitTypeId(5, 1)), nullptr);
  EXPECT_EQ(FindUnitType(kLibraries, 3, type_id::kWebBrowser), nullptr);  // library beyond the count
  EXPECT_EQ(FindUnitType(kLibraries, 4, MakeUnitTypeId(1, 0)), nullptr);
  EXPECT_EQ(FindUnitType(kLibraries, 4, MakeUnitTypeId(2, 10)), nullptr);  // one past the 9 records
  EXPECT_EQ(FindUnitType(kLibraries, 4, MakeUnitTypeId(1, 2)), nullptr);   // an all-zero record
  EXPECT_EQ(FindUnitType(nullptr, 4, type_id::kWindow), nullptr);
  const runtime::LibraryRecord* const gap[] = {&CoreLibrary(), nullptr};
  EXPECT_EQ(FindUnitType(gap, 2, type_id::kSuperBtn), nullptr);
  EXPECT_EQ(FindUnitType(kLibraries, 4, MakeUnitTypeId(1, 51)), nullptr);
  EXPECT_EQ(FindUnitType(kLibraries, 4, MakeUnitTypeId(1, 52)), nullptr);
}

// Each type answers exactly its operations: the ones every tabled type shares are not handed out
// for a type that has none (only the super button and the web browser box are asked which
// properties apply, and a web browser box's data holds no texts to offer).
TEST(UnitTypeTable, TypesAnswerTheirOperationsAndNoOthers) {
  const struct {
    uint32_t typeId;
    std::vector<int32_t> numbers;
  } types[] = {
      {type_id::kWindow, {1, 4, 5, 6, 7, 9}},
      {type_id::kEditBox, {1, 4, 5, 6, 8, 9}},
      {type_id::kPicBox, {1, 4, 5, 6, 9}},
      {type_id::kGroupBox, {1, 4, 5, 6, 9}},
      {type_id::kHyperLinker, {1, 4, 5, 6, 9}},
      {type_id::kSuperBtn, {1, 2, 4, 5, 6, 9, 10}},
      {type_id::kTransLabel, {1, 4, 5, 6, 9}},
      {type_id::kWebBrowser, {1, 2, 4, 5, 6}},
  };
  for (const auto& t : types) {
    const runtime::UnitTypeRecord* record = FindUnitType(kLibraries, 4, t.typeId);
    ASSERT_NE(record, nullptr);
    std::vector<int32_t> answered;
    for (int32_t number = 0; number <= 12; ++number)
      if (record->getInterface(number) != nullptr) answered.push_back(number);
    EXPECT_EQ(answered, t.numbers) << record->englishName;
  }
}

template <int Library>
intptr_t FakeHost(int32_t, intptr_t, intptr_t) {
  return Library;
}
constexpr runtime::HostNotify kFakeHosts[] = {FakeHost<1>, FakeHost<2>, FakeHost<3>, FakeHost<4>};

// The types that registered are exactly the filled records of the list, each in the library its
// id names, where its record forwards to the operations it registered; and each library of the
// list keeps the host's notify function under that same number, which is the one its units
// report through.
TEST(UnitTypeTable, EveryRegisteredTypeSitsInTheLibraryItsIdNames) {
  const std::span<const runtime::LibraryRecord* const> libraries = SupportLibraries();
  ASSERT_EQ(libraries.size(), std::size(kFakeHosts));
  std::vector<uint32_t> filled;
  for (uint32_t lib = 1; lib <= libraries.size(); ++lib)
    for (uint32_t type = 1; type <= libraries[lib - 1]->unitTypeCount; ++type)
      if (FindUnitType(libraries.data(), 4, MakeUnitTypeId(lib, type)) != nullptr)
        filled.push_back(MakeUnitTypeId(lib, type));
  EXPECT_EQ(RegisteredUnitTypes(), filled);

  for (size_t i = 0; i < libraries.size(); ++i)
    libraries[i]->notify(runtime::library_notify::kSetHostNotify, reinterpret_cast<intptr_t>(kFakeHosts[i]), 0);
  for (uint32_t id : RegisteredUnitTypes()) {
    SCOPED_TRACE(id);
    const runtime::UnitTypeRecord* record = FindUnitType(libraries.data(), 4, id);
    ASSERT_NE(record, nullptr);
    ASSERT_NE(RegisteredGetInterface(id), nullptr);
    for (int32_t number = 0; number <= 12; ++number)
      EXPECT_EQ(record->getInterface(number), RegisteredGetInterface(id)(number)) << "operation " << number;
    EXPECT_EQ(LibraryHostNotify(LibraryNumberOf(id)), kFakeHosts[LibraryNumberOf(id) - 1]);
  }
  for (const runtime::LibraryRecord* library : libraries)
    library->notify(runtime::library_notify::kSetHostNotify, 0, 0);
}

int32_t FakeWantsKey(Unit*, uint32_t key) { return key == 13; }

Unit* MakeNothing(const UnitIdentity&, std::unique_ptr<editbox::EditBoxType::Properties>, QWidget*, const UnitPlace&) {
  return nullptr;
}

void* FakeGetInterface(int32_t number) {
  return number == interface_number::kWantsKey ? InterfaceAddress<interface_number::kWantsKey>(FakeWantsKey) : nullptr;
}

// A second registration of a type, by a stray function or by the type itself, leaves the first in
// place.
TEST(UnitTypeTable, ATypeRegistersOnce) {
  const runtime::UnitTypeRecord& editBox = *FindUnitType(kLibraries, 4, type_id::kEditBox);
  const WantsKeyFn ownWantsKey = AskInterface<interface_number::kWantsKey>(editBox);
  ASSERT_NE(ownWantsKey, nullptr);

  EXPECT_FALSE(RegisterUnitType(type_id::kEditBox, FakeGetInterface));
  EXPECT_FALSE(editbox::EditBoxType::Register(type_id::kEditBox, MakeNothing));
  EXPECT_FALSE(editbox::EditBoxType::Register(MakeUnitTypeId(9, 1), MakeNothing));
  EXPECT_EQ(AskInterface<interface_number::kWantsKey>(editBox), ownWantsKey);
  EXPECT_NE(AskInterface<interface_number::kCreateUnit>(editBox), nullptr);
  EXPECT_EQ(RegisteredGetInterface(MakeUnitTypeId(9, 1)), nullptr);
}

}  // namespace
}  // namespace units

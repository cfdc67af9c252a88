#include "contract/unit_type_registry.h"

#include <array>

#include "contract/unit_type_ids.h"

namespace units {
namespace {

struct Registration {
  uint32_t typeId;
  runtime::GetInterface getInterface;
  const PropertyTableView* table;
};

// A function-local table, so that registrations made during static initialisation of other files
// find it ready.
std::array<Registration, 8>& Registrations() {
  static std::array<Registration, 8> table{{
      {type_id::kWindow, nullptr, nullptr},
      {type_id::kEditBox, nullptr, nullptr},
      {type_id::kPicBox, nullptr, nullptr},
      {type_id::kGroupBox, nullptr, nullptr},
      {type_id::kHyperLinker, nullptr, nullptr},
      {type_id::kSuperBtn, nullptr, nullptr},
      {type_id::kTransLabel, nullptr, nullptr},
      {type_id::kWebBrowser, nullptr, nullptr},
  }};
  return table;
}

Registration* Find(uint32_t typeId) {
  for (Registration& r : Registrations())
    if (r.typeId == typeId) return &r;
  return nullptr;
}

bool IsEmpty(const runtime::UnitTypeRecord& r) {
  return r.chineseName == nullptr && r.englishName == nullptr && r.description == nullptr &&
         r.memberCommandCount == 0 && r.memberCommands == nullptr && r.flags == 0 && r.iconId == 0 &&
         r.eventCount == 0 && r.events == nullptr && r.propertyCount == 0 && r.properties == nullptr &&
         r.getInterface == nullptr && r.elementCount == 0 && r.elements == nullptr;
}

}  // namespace

bool RegisterUnitType(uint32_t typeId, runtime::GetInterface getInterface, const PropertyTableView* table) {
  Registration* r = Find(typeId);
  if (r == nullptr) return false;
  r->getInterface = getInterface;
  if (table != nullptr) r->table = table;
  return true;
}

const PropertyTableView* RegisteredPropertyTable(uint32_t typeId) {
  const Registration* r = Find(typeId);
  return r != nullptr ? r->table : nullptr;
}

runtime::GetInterface RegisteredGetInterface(uint32_t typeId) {
  const Registration* r = Find(typeId);
  return r != nullptr ? r->getInterface : nullptr;
}

const runtime::UnitTypeRecord* FindUnitType(const runtime::LibraryRecord* const* libraries, uint32_t libraryCount,
                                            uint32_t typeId) {
  const uint32_t library = LibraryNumberOf(typeId);
  const uint32_t type = TypeNumberOf(typeId);
  if (libraries == nullptr || library < 1 || library > libraryCount) return nullptr;
  const runtime::LibraryRecord* record = libraries[library - 1];
  if (record == nullptr || record->unitTypes == nullptr || type < 1 || type > record->unitTypeCount) return nullptr;
  const runtime::UnitTypeRecord& unitType = record->unitTypes[type - 1];
  return IsEmpty(unitType) ? nullptr : &unitType;
}

}  // namespace units

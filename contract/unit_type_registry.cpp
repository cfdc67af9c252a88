#include "contract/unit_type_registry.h"

#include <algorithm>
#include <array>

#include "contract/unit_type_ids.h"

namespace units {
namespace {

struct Registration {
  uint32_t typeId;
  runtime::GetInterface getInterface;
  const PropertyTableView* table;
};

// Kept in order of id. Constant-initialised, so registrations made during static initialisation of
// other files find it ready.
struct Registry {
  std::array<Registration, kMostRegisteredTypes> entries;
  size_t count;
};
constinit Registry gRegistry{};

Registration* Begin() { return gRegistry.entries.data(); }
Registration* End() { return gRegistry.entries.data() + gRegistry.count; }

// Where `typeId` is or would go.
Registration* Place(uint32_t typeId) {
  return std::lower_bound(Begin(), End(), typeId, [](const Registration& r, uint32_t id) { return r.typeId < id; });
}

const Registration* Find(uint32_t typeId) {
  const Registration* r = Place(typeId);
  return r != End() && r->typeId == typeId ? r : nullptr;
}

bool IsEmpty(const runtime::UnitTypeRecord& r) {
  return r.chineseName == nullptr && r.englishName == nullptr && r.description == nullptr &&
         r.memberCommandCount == 0 && r.memberCommands == nullptr && r.flags == 0 && r.iconId == 0 &&
         r.eventCount == 0 && r.events == nullptr && r.propertyCount == 0 && r.properties == nullptr &&
         r.getInterface == nullptr && r.elementCount == 0 && r.elements == nullptr;
}

}  // namespace

bool RegisterUnitType(uint32_t typeId, runtime::GetInterface getInterface, const PropertyTableView* table) {
  if (LibraryNumberOf(typeId) == 0 || TypeNumberOf(typeId) == 0 || getInterface == nullptr) return false;
  if (Find(typeId) != nullptr || gRegistry.count == gRegistry.entries.size()) return false;
  Registration* place = Place(typeId);
  std::move_backward(place, End(), End() + 1);
  *place = {typeId, getInterface, table};
  ++gRegistry.count;
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

std::vector<uint32_t> RegisteredUnitTypes() {
  std::vector<uint32_t> ids;
  ids.reserve(gRegistry.count);
  for (const Registration* r = Begin(); r != End(); ++r) ids.push_back(r->typeId);
  return ids;
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

#include "tools/formtool/unit_catalogue.h"

#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"

namespace formtool {

UnitCatalogue::UnitCatalogue(std::span<const runtime::LibraryRecord* const> libraries) {
  for (size_t library = 0; library < libraries.size(); ++library) {
    const runtime::LibraryRecord* record = libraries[library];
    if (record == nullptr || record->unitTypes == nullptr) continue;
    for (uint32_t type = 0; type < record->unitTypeCount; ++type) {
      const char* name = record->unitTypes[type].englishName;
      if (name == nullptr || *name == '\0') continue;
      const uint32_t id = units::MakeUnitTypeId(static_cast<uint32_t>(library + 1), type + 1);
      types_.push_back({name, id, units::RegisteredPropertyTable(id)});
    }
  }
}

std::optional<uint32_t> UnitCatalogue::IdOf(std::string_view name) const {
  for (const Type& e : types_)
    if (e.name == name) return e.id;
  return std::nullopt;
}

std::string UnitCatalogue::NameOf(uint32_t typeId) const {
  for (const Type& e : types_)
    if (e.id == typeId) return e.name;
  return {};
}

const units::PropertyTableView* UnitCatalogue::TableOf(uint32_t typeId) const {
  for (const Type& t : types_)
    if (t.id == typeId) return t.table;
  return nullptr;
}

std::string UnitCatalogue::Names() const {
  std::string names;
  for (const Type& e : types_) names += (names.empty() ? "" : ", ") + e.name;
  return names;
}

}  // namespace formtool

#pragma once
// The unit types a form may name: each type's English name, its id, and the property table its
// unit type registered, if any. Built from the support libraries' records, the library number
// being the place in the list from 1, as in the program's own library table, or from a list.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/program/program_header.h"
#include "contract/property_table_view.h"

namespace formtool {

class UnitCatalogue {
 public:
  struct Type {
    std::string name;
    uint32_t id;
    const units::PropertyTableView* table;  // null: the type has none
  };

  // Knows no type: every unit keeps its raw property data.
  UnitCatalogue() = default;
  explicit UnitCatalogue(std::vector<Type> types) : types_(std::move(types)) {}
  // The types of the libraries, with the property tables they have registered by now.
  explicit UnitCatalogue(std::span<const runtime::LibraryRecord* const> libraries);

  std::optional<uint32_t> IdOf(std::string_view name) const;
  // The English name of a type id, or empty.
  std::string NameOf(uint32_t typeId) const;
  // The property table of a type id, or null when the catalogue does not know the type or the
  // type has no table.
  const units::PropertyTableView* TableOf(uint32_t typeId) const;
  // Every name, comma-separated, for messages.
  std::string Names() const;

 private:
  std::vector<Type> types_;
};

// The unit types of the toolbox's support libraries.
const UnitCatalogue& ProgramUnitTypes();

}  // namespace formtool

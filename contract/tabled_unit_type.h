#pragma once
// The operations every unit type with a property table answers the same way: reading and writing
// properties by index, the texts offered for translation, the property data, and reading a new
// unit's property data. A type's get-interface function answers these from here and adds only what
// is its own. Applicability is offered but answered only by the types that take it in.
#include <memory>

#include "contract/enum_texts.h"
#include "contract/property_table.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"

namespace units {

template <const auto& Table>
class TabledUnitType {
  using TableType = std::remove_cvref_t<decltype(Table)>;
  using U = typename TableType::UnitClass;
  using S = typename TableType::State;

 public:
  using Properties = TabledProperties<Table>;

  // The unit as its own class, or null when it is of another type.
  static U* Cast(Unit* unit) { return dynamic_cast<U*>(unit); }
  static S& StateOf(U& unit) { return static_cast<Properties&>(unit.Properties()); }

  // The property object of a new unit; null when the data cannot be read. Null data or a length
  // below 1 gives every default.
  static std::unique_ptr<Properties> Read(const uint8_t* data, int32_t length) {
    auto properties = std::make_unique<Properties>();
    if (!ReadPropertyData(*properties, data, length)) return nullptr;
    return properties;
  }

  static int32_t GetProperty(Unit* unit, int32_t index, PropertyValue* value) {
    U* u = Cast(unit);
    if (u == nullptr || value == nullptr || !Known(index)) return 0;
    const auto& row = Table[static_cast<size_t>(index)];
    if (row.get != nullptr) return row.get(*u, *value) ? 1 : 0;
    return Table.GetStored(StateOf(*u), static_cast<size_t>(index), *value) ? 1 : 0;
  }

  static int32_t PropertyChanged(Unit* unit, int32_t index, const PropertyValue* value, intptr_t /*reserved*/) {
    U* u = Cast(unit);
    if (u == nullptr || value == nullptr || !Known(index)) return 0;
    const auto& row = Table[static_cast<size_t>(index)];
    if (row.set != nullptr) return row.set(*u, *value);
    S& state = StateOf(*u);
    const int32_t before = row.word != nullptr ? state.*row.word : 0;
    Table.SetStored(state, static_cast<size_t>(index), *value);
    if (row.whenChanged && state.*row.word == before) return 0;
    const int32_t recreate = row.apply != nullptr ? row.apply(*u) : 0;
    return row.recreate || recreate != 0 ? 1 : 0;
  }

  static int32_t PropertyApplicable(Unit* unit, int32_t index) {
    U* u = Cast(unit);
    return u != nullptr && Table.Applicable(StateOf(*u), static_cast<size_t>(index)) ? 1 : 0;
  }

  static void* EnumTexts(const uint8_t* data, int32_t* length, EnumTextsCallback callback, intptr_t user) {
    Properties p;
    return EnumPropertyTexts(p, data, length, callback, user, [&p](TextOffer& offer) { Table.OfferTexts(p, offer); });
  }

  // The shared operations, with the type's own filled in over them. Which properties apply is
  // asked only of the types that name an applicability operation among their own.
  static constexpr InterfaceTable Interfaces(InterfaceTable own) {
    if (own.propertyChanged == nullptr) own.propertyChanged = PropertyChanged;
    if (own.getAllPropertyData == nullptr) own.getAllPropertyData = GetAllPropertyData;
    if (own.getProperty == nullptr) own.getProperty = GetProperty;
    if (own.enumTexts == nullptr) own.enumTexts = EnumTexts;
    return own;
  }

  static const PropertyTableView* View() {
    static const TableView<Table> view;
    return &view;
  }

 private:
  static bool Known(int32_t index) { return index >= 0 && static_cast<size_t>(index) < TableType::kCount; }
};

}  // namespace units

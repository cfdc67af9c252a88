#pragma once
// The operations every unit type with a property table answers the same way: reading and writing
// properties by index, the texts offered for translation, the property data, reading a new unit's
// property data and creating the unit from it. A type registers here with what is its own: how
// its widget is made and placed, and any operations only it answers. Applicability is offered but
// answered only by the types that take it in.
#include <QRect>

#include <memory>

#include "contract/enum_texts.h"
#include "contract/library_host.h"
#include "contract/property_table.h"
#include "contract/unit.h"
#include "contract/unit_interfaces.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_registry.h"

namespace units {

// Where the host asks a new unit to sit, and the style bits that came with the request.
struct UnitPlace {
  uint32_t style = 0;
  QRect rect;

  bool Disabled() const { return (style & window_style::kDisabled) != 0; }
  bool TabStop() const { return (style & window_style::kTabStop) != 0; }
};

// Whether a type answers the shared operation that offers the texts of its data for translation.
enum class OfferedTexts { kYes, kNone };

template <const auto& Table>
class TabledUnitType {
  using TableType = std::remove_cvref_t<decltype(Table)>;
  using U = typename TableType::UnitClass;
  using S = typename TableType::State;

 public:
  using Properties = TabledProperties<Table>;

  // A type's own step of creating a unit: makes its widget from the property data read for it and
  // places it; null when the widget cannot be made.
  using MakeUnitFn = Unit* (*)(const UnitIdentity& identity, std::unique_ptr<Properties> properties, QWidget* parent,
                               const UnitPlace& place);

  // Makes the type known to the host under `typeId`, answering the shared operations with the
  // type's `own` ones filled in over them, and creating its units with `make` (so `own` names no
  // create operation). Each unit reports through the host notify function of the library that
  // `typeId` names. False, with nothing registered, when this type or the id registered already.
  static bool Register(uint32_t typeId, MakeUnitFn make, InterfaceTable own = {},
                       OfferedTexts texts = OfferedTexts::kYes) {
    if (registered_.make != nullptr || make == nullptr) return false;
    own.createUnit = CreateUnit;
    InterfaceTable interfaces = Interfaces(own);
    if (texts == OfferedTexts::kNone) interfaces.enumTexts = nullptr;
    registered_ = {typeId, make, interfaces};
    if (RegisterUnitType(typeId, GetInterface, View())) return true;
    registered_ = {};
    return false;
  }

  // The same for a widget class made from (identity, properties, parent) that needs nothing but
  // its rectangle and, when asked, to be disabled; MakeWidget is its make step.
  template <typename Widget>
  static bool Register(uint32_t typeId) {
    return Register(typeId, MakeWidget<Widget>);
  }

  template <typename Widget>
  static Unit* MakeWidget(const UnitIdentity& identity, std::unique_ptr<Properties> properties, QWidget* parent,
                          const UnitPlace& place) {
    auto* widget = new Widget(identity, std::move(properties), parent);
    widget->setGeometry(place.rect);
    if (place.Disabled()) widget->setEnabled(false);
    return widget;
  }

  // The unit as its own class, or null when it is of another type.
  static U* Cast(Unit* unit) { return dynamic_cast<U*>(unit); }
  static S& StateOf(U& unit) { return static_cast<Properties&>(unit.Properties()); }

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

  static const PropertyTableView* View() {
    static const TableView<Table> view;
    return &view;
  }

 private:
  struct Registration {
    uint32_t typeId = 0;
    MakeUnitFn make = nullptr;
    InterfaceTable interfaces;
  };
  // Filled once, when the type registers at start-up; constant-initialised so that a registration
  // made while other files initialise finds it ready.
  static constinit inline Registration registered_{};

  static bool Known(int32_t index) { return index >= 0 && static_cast<size_t>(index) < TableType::kCount; }

  // The property object of a new unit; null when the data cannot be read. Null data or a length
  // below 1 gives every default.
  static std::unique_ptr<Properties> Read(const uint8_t* data, int32_t length) {
    auto properties = std::make_unique<Properties>();
    if (!ReadPropertyData(*properties, data, length)) return nullptr;
    return properties;
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

  static Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                          void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                          uint32_t unitId, intptr_t /*reserved1*/, intptr_t /*reserved2*/) {
    auto properties = Read(data, length);
    if (properties == nullptr) return nullptr;
    const UnitIdentity identity{windowId, unitId, LibraryHostNotify(LibraryNumberOf(registered_.typeId))};
    return registered_.make(identity, std::move(properties), parent, UnitPlace{style, QRect(x, y, width, height)});
  }

  static void* GetInterface(int32_t number) { return AnswerInterface(registered_.interfaces, number); }
};

}  // namespace units

// The edit box unit type: what its get-interface function hands the host.
#include <cstring>
#include <memory>

#include "units/editbox/edit_box.h"
#include "units/editbox/multi_line_box.h"
#include "units/editbox/single_line_box.h"
#include "units/framework/enum_texts.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"
#include "units/libraries/core_library.h"

namespace units::editbox {
namespace {

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = std::make_unique<EditBoxProperties>();
  if (!ReadPropertyData(*properties, data, length)) return nullptr;
  properties->Sanitise();
  const UnitIdentity identity{windowId, unitId, CoreHostNotify()};
  const bool singleLine = properties->SingleLine();
  EditBox* box = nullptr;
  Unit* unit = nullptr;
  if (singleLine) {
    auto* single = new SingleLineBox(identity, std::move(properties), parent);
    box = single;
    unit = single;
  } else {
    auto* multi = new MultiLineBox(identity, std::move(properties), parent);
    box = multi;
    unit = multi;
  }
  box->Build(style, x, y, width, height);
  return unit;
}

int32_t PropertyChanged(Unit* unit, int32_t index, const PropertyValue* value, intptr_t) {
  EditBox* box = AsEditBox(unit);
  return box != nullptr && value != nullptr ? box->PropertyChanged(index, *value) : 0;
}

int32_t GetProperty(Unit* unit, int32_t index, PropertyValue* value) {
  EditBox* box = AsEditBox(unit);
  return box != nullptr && value != nullptr ? box->GetProperty(index, value) : 0;
}

int32_t WantsKey(Unit* unit, uint32_t key) {
  EditBox* box = AsEditBox(unit);
  return box != nullptr && box->WantsKey(key) ? 1 : 0;
}

// Offers each text the data holds (content, font face name, data source, data column) for
// replacement, and answers the data written anew.
void* EnumTexts(const uint8_t* data, int32_t* length, EnumTextsCallback callback, intptr_t user) {
  EditBoxProperties p;
  return EnumPropertyTexts(p, data, length, callback, user, [&p](TextOffer& offer) {
    offer.Text(p.content);
    offer.FontFace(p.font);
    offer.Text(p.dataSource);
    offer.Text(p.dataColumn);
  });
}

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces{
      .createUnit = CreateUnit,
      .propertyChanged = PropertyChanged,
      .getAllPropertyData = GetAllPropertyData,
      .getProperty = GetProperty,
      .wantsKey = WantsKey,
      .enumTexts = EnumTexts};
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kEditBox, &GetInterface);

}  // namespace
}  // namespace units::editbox

// The edit box unit type: creation, the Enter key, and the operations its property table answers.
#include "units/editbox/editbox_properties.h"
#include "units/editbox/multi_line_box.h"
#include "units/editbox/single_line_box.h"
#include "contract/unit_type_registry.h"
#include "libraries/core_library.h"

namespace units::editbox {
namespace {

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = EditBoxType::Read(data, length);
  if (properties == nullptr) return nullptr;
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

int32_t WantsKey(Unit* unit, uint32_t key) {
  EditBox* box = EditBoxType::Cast(unit);
  return box != nullptr && box->WantsKey(key) ? 1 : 0;
}

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces =
      EditBoxType::Interfaces({.createUnit = CreateUnit, .wantsKey = WantsKey});
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kEditBox, &GetInterface, EditBoxType::View());

}  // namespace
}  // namespace units::editbox

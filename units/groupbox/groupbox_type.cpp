// The group box unit type: creation, and the operations its property table answers.
#include "contract/unit_type_registry.h"
#include "units/groupbox/groupbox_properties.h"
#include "libraries/core_library.h"

namespace units {
namespace {

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = GroupBoxType::Read(data, length);
  if (properties == nullptr) return nullptr;
  auto* box = new GroupBox({windowId, unitId, CoreHostNotify()}, std::move(properties), parent);
  box->setGeometry(x, y, width, height);
  if (style & window_style::kDisabled) box->setEnabled(false);
  return box;
}

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces = GroupBoxType::Interfaces({.createUnit = CreateUnit});
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kGroupBox, &GetInterface, GroupBoxType::View());

}  // namespace
}  // namespace units

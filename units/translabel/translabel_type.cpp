// The transparent label unit type: creation, and the operations its property table answers.
#include "contract/unit_type_registry.h"
#include "libraries/ui1_library.h"
#include "units/translabel/translabel_accessible.h"
#include "units/translabel/translabel_properties.h"

namespace units {
namespace {

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = TransLabelType::Read(data, length);
  if (properties == nullptr) return nullptr;
  InstallTransLabelAccessibility();
  auto* label = new TransLabelUnit({windowId, unitId, Ui1HostNotify()}, std::move(properties), parent);
  label->setGeometry(x, y, width, height);
  label->setEnabled((style & window_style::kDisabled) == 0);
  label->Apply();
  return label;
}

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces = TransLabelType::Interfaces({.createUnit = CreateUnit});
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kTransLabel, &GetInterface, TransLabelType::View());

}  // namespace
}  // namespace units

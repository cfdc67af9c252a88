// The super button unit type: creation, the default-button question, and the operations its
// property table answers.
#include "contract/unit_type_registry.h"
#include "libraries/ui2_library.h"
#include "units/superbtn/superbtn_accessible.h"
#include "units/superbtn/superbtn_properties.h"

namespace units {
namespace {

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = SuperBtnType::Read(data, length);
  if (properties == nullptr) return nullptr;
  InstallSuperBtnAccessibility();
  auto* button = new SuperBtnUnit({windowId, unitId, Ui2HostNotify()}, std::move(properties), parent);
  button->setGeometry(x, y, width, height);
  // Clicking focuses a button; only a tab stop is reached with Tab.
  button->setFocusPolicy((style & window_style::kTabStop) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
  button->setEnabled((style & window_style::kDisabled) == 0);
  button->FinishCreation();
  return button;
}

int32_t IsDefaultButton(Unit* unit) {
  SuperBtnUnit* button = SuperBtnType::Cast(unit);
  return button != nullptr && button->IsDefault() ? 1 : 0;
}

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces =
      SuperBtnType::Interfaces({.createUnit = CreateUnit,
                                .propertyApplicable = SuperBtnType::PropertyApplicable,
                                .isDefaultButton = IsDefaultButton});
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kSuperBtn, &GetInterface, SuperBtnType::View());

}  // namespace
}  // namespace units

// The super button unit type: creation, the default-button question, and the operations its
// property table answers.
#include "units/superbtn/superbtn_accessible.h"
#include "units/superbtn/superbtn_properties.h"

namespace units {
namespace {

Unit* Make(const UnitIdentity& identity, std::unique_ptr<SuperBtnType::Properties> properties, QWidget* parent,
           const UnitPlace& place) {
  InstallSuperBtnAccessibility();
  auto* button = new SuperBtnUnit(identity, std::move(properties), parent);
  button->setGeometry(place.rect);
  // Clicking focuses a button; only a tab stop is reached with Tab.
  button->setFocusPolicy(place.TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
  button->setEnabled(!place.Disabled());
  button->FinishCreation();
  return button;
}

int32_t IsDefaultButton(Unit* unit) {
  SuperBtnUnit* button = SuperBtnType::Cast(unit);
  return button != nullptr && button->IsDefault() ? 1 : 0;
}

const bool kRegistered = SuperBtnType::Register(
    type_id::kSuperBtn, Make,
    {.propertyApplicable = SuperBtnType::PropertyApplicable, .isDefaultButton = IsDefaultButton});

}  // namespace
}  // namespace units

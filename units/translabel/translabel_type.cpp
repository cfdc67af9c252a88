// The transparent label unit type: creation, and the operations its property table answers.
#include "units/translabel/translabel_accessible.h"
#include "units/translabel/translabel_properties.h"

namespace units {
namespace {

Unit* Make(const UnitIdentity& identity, std::unique_ptr<TransLabelType::Properties> properties, QWidget* parent,
           const UnitPlace& place) {
  InstallTransLabelAccessibility();
  auto* label = new TransLabelUnit(identity, std::move(properties), parent);
  label->setGeometry(place.rect);
  label->setEnabled(!place.Disabled());
  label->Apply();
  return label;
}

const bool kRegistered = TransLabelType::Register(type_id::kTransLabel, Make);

}  // namespace
}  // namespace units

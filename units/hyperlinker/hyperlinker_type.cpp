// The hyperlink box unit type: creation, and the operations its property table answers.
#include "units/hyperlinker/hyperlinker_properties.h"

namespace units {
namespace {

Unit* Make(const UnitIdentity& identity, std::unique_ptr<HyperLinkerType::Properties> properties, QWidget* parent,
           const UnitPlace& place) {
  Unit* box = HyperLinkerType::MakeWidget<HyperLinker>(identity, std::move(properties), parent, place);
  if (place.TabStop()) box->widget()->setFocusPolicy(Qt::TabFocus);
  return box;
}

const bool kRegistered = HyperLinkerType::Register(type_id::kHyperLinker, Make);

}  // namespace
}  // namespace units

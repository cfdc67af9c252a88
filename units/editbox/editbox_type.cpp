// The edit box unit type: creation, the Enter key, and the operations its property table answers.
#include "units/editbox/editbox_properties.h"
#include "units/editbox/multi_line_box.h"
#include "units/editbox/single_line_box.h"

namespace units::editbox {
namespace {

// One box or the other, as the data says; both are built alike.
template <typename Box>
Unit* Build(const UnitIdentity& identity, std::unique_ptr<EditBoxType::Properties> properties, QWidget* parent,
            const UnitPlace& place) {
  auto* box = new Box(identity, std::move(properties), parent);
  box->Build(place.style, place.rect.x(), place.rect.y(), place.rect.width(), place.rect.height());
  return box;
}

Unit* Make(const UnitIdentity& identity, std::unique_ptr<EditBoxType::Properties> properties, QWidget* parent,
           const UnitPlace& place) {
  if (properties->SingleLine()) return Build<SingleLineBox>(identity, std::move(properties), parent, place);
  return Build<MultiLineBox>(identity, std::move(properties), parent, place);
}

int32_t WantsKey(Unit* unit, uint32_t key) {
  EditBox* box = EditBoxType::Cast(unit);
  return box != nullptr && box->WantsKey(key) ? 1 : 0;
}

const bool kRegistered = EditBoxType::Register(type_id::kEditBox, Make, {.wantsKey = WantsKey});

}  // namespace
}  // namespace units::editbox

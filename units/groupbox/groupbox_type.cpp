// The group box unit type: made and placed like most, answering the operations its property table
// answers.
#include "units/groupbox/groupbox_properties.h"

namespace units {
namespace {

const bool kRegistered = GroupBoxType::Register<GroupBox>(type_id::kGroupBox);

}  // namespace
}  // namespace units

// The picture box unit type: made and placed like most, answering the operations its property
// table answers.
#include "units/picbox/picbox_properties.h"

namespace units {
namespace {

const bool kRegistered = PicBoxType::Register<PictureBox>(type_id::kPicBox);

}  // namespace
}  // namespace units

// The picture box unit type: creation and property access as the host asks for them.
#include <utility>

#include "units/framework/enum_texts.h"
#include "units/framework/unit_interfaces.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"
#include "units/libraries/core_library.h"
#include "units/picbox/picture_box.h"

namespace units {
namespace {

namespace own {
constexpr int32_t kBorderStyle = 0;
constexpr int32_t kBackColor = 1;
constexpr int32_t kPicture = 2;
constexpr int32_t kDisplayMode = 3;
constexpr int32_t kPlayAnimation = 4;
constexpr int32_t kDataSource = 5;
constexpr int32_t kDataColumn = 6;
}  // namespace own

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = std::make_unique<PicBoxProperties>();
  if (!ReadPropertyData(*properties, data, length)) return nullptr;
  auto* box = new PictureBox({windowId, unitId, CoreHostNotify()}, std::move(properties), parent);
  box->setGeometry(x, y, width, height);
  if (style & window_style::kDisabled) box->setEnabled(false);
  return box;
}

int32_t PropertyChanged(Unit* unit, int32_t index, const PropertyValue* value, intptr_t) {
  auto* box = dynamic_cast<PictureBox*>(unit);
  if (box == nullptr || value == nullptr) return 0;
  const char* text = value->AsText();
  switch (index) {
    case own::kBorderStyle: box->SetBorderStyle(value->AsInteger()); break;
    case own::kBackColor: box->SetBackColor(static_cast<uint32_t>(value->AsInteger())); break;
    case own::kPicture: {
      const std::span<const uint8_t> bytes = value->AsData();
      box->SetPicture({bytes.begin(), bytes.end()});
      break;
    }
    case own::kDisplayMode: box->SetDisplayMode(value->AsInteger()); break;
    case own::kPlayAnimation: box->SetPlayAnimation(value->AsInteger() != 0); break;
    // Without a data-source unit in the program the binding texts are only kept.
    case own::kDataSource: box->Props().dataSource = text != nullptr ? text : ""; break;
    case own::kDataColumn: box->Props().dataColumn = text != nullptr ? text : ""; break;
    default: break;
  }
  return 0;
}

int32_t GetProperty(Unit* unit, int32_t index, PropertyValue* value) {
  auto* box = dynamic_cast<PictureBox*>(unit);
  if (box == nullptr || value == nullptr) return 0;
  PicBoxProperties& p = box->Props();
  switch (index) {
    case own::kBorderStyle: *value = PropertyValue::Integer(p.borderStyle); return 1;
    case own::kBackColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.backColor)); return 1;
    case own::kPicture:
      *value = p.picture.empty() ? PropertyValue{} : PropertyValue::Data(p.picture.data(), p.picture.size());
      return 1;
    case own::kDisplayMode: *value = PropertyValue::Integer(p.displayMode); return 1;
    case own::kPlayAnimation: *value = PropertyValue::Integer(p.playAnimation != 0 ? 1 : 0); return 1;
    case own::kDataSource: *value = PropertyValue::Text(p.dataSource.c_str()); return 1;
    case own::kDataColumn: *value = PropertyValue::Text(p.dataColumn.c_str()); return 1;
    default: return 0;
  }
}

// Offers each text the data holds for replacement, and answers the data written anew.
void* EnumTexts(const uint8_t* data, int32_t* length, EnumTextsCallback callback, intptr_t user) {
  PicBoxProperties p;
  return EnumPropertyTexts(p, data, length, callback, user, [&p](TextOffer& offer) {
    offer.Text(p.dataSource);
    offer.Text(p.dataColumn);
  });
}

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces{
      .createUnit = CreateUnit,
      .propertyChanged = PropertyChanged,
      .getAllPropertyData = GetAllPropertyData,
      .getProperty = GetProperty,
      .enumTexts = EnumTexts};
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kPicBox, &GetInterface);

}  // namespace
}  // namespace units

// The group box unit type: creation and property access as the host asks for them.
#include <utility>

#include "units/framework/enum_texts.h"
#include "units/framework/unit_interfaces.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"
#include "units/groupbox/group_box.h"
#include "units/libraries/core_library.h"

namespace units {
namespace {

namespace own {
constexpr int32_t kTitle = 0;
constexpr int32_t kAlignment = 1;
constexpr int32_t kTextColor = 2;
constexpr int32_t kBackColor = 3;
constexpr int32_t kFont = 4;
}  // namespace own

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = std::make_unique<GroupBoxProperties>();
  if (!ReadPropertyData(*properties, data, length)) return nullptr;
  auto* box = new GroupBox({windowId, unitId, CoreHostNotify()}, std::move(properties), parent);
  box->setGeometry(x, y, width, height);
  if (style & window_style::kDisabled) box->setEnabled(false);
  return box;
}

int32_t PropertyChanged(Unit* unit, int32_t index, const PropertyValue* value, intptr_t) {
  auto* box = dynamic_cast<GroupBox*>(unit);
  if (box == nullptr || value == nullptr) return 0;
  switch (index) {
    case own::kTitle: box->SetTitle(value->AsText() != nullptr ? value->AsText() : ""); break;
    case own::kAlignment: box->SetAlignment(value->AsInteger()); break;
    case own::kTextColor: box->SetTextColor(static_cast<uint32_t>(value->AsInteger())); break;
    case own::kBackColor: box->SetBackColor(static_cast<uint32_t>(value->AsInteger())); break;
    case own::kFont: {
      const std::span<const uint8_t> bytes = value->AsData();
      box->SetFont({bytes.begin(), bytes.end()});
      break;
    }
    default: break;
  }
  return 0;
}

int32_t GetProperty(Unit* unit, int32_t index, PropertyValue* value) {
  auto* box = dynamic_cast<GroupBox*>(unit);
  if (box == nullptr || value == nullptr) return 0;
  GroupBoxProperties& p = box->Props();
  switch (index) {
    case own::kTitle: *value = PropertyValue::Text(p.title.c_str()); return 1;
    case own::kAlignment: *value = PropertyValue::Integer(p.alignment); return 1;
    case own::kTextColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.textColor)); return 1;
    case own::kBackColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.backColor)); return 1;
    case own::kFont: *value = p.font.empty() ? PropertyValue{} : PropertyValue::Data(p.font.data(), p.font.size()); return 1;
    default: return 0;
  }
}

// Offers each text the data holds for replacement, and answers the data written anew.
void* EnumTexts(const uint8_t* data, int32_t* length, EnumTextsCallback callback, intptr_t user) {
  GroupBoxProperties p;
  return EnumPropertyTexts(p, data, length, callback, user, [&p](TextOffer& offer) {
    offer.Text(p.title);
    offer.FontFace(p.font);
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

const bool kRegistered = RegisterUnitType(type_id::kGroupBox, &GetInterface);

}  // namespace
}  // namespace units

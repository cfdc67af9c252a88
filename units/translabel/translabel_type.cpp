// The transparent label's operations as the host asks for them by number.
#include <memory>

#include "units/framework/enum_texts.h"
#include "units/framework/unit_interfaces.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"
#include "units/libraries/ui1_library.h"
#include "units/translabel/translabel_accessible.h"
#include "units/translabel/translabel_unit.h"

namespace units {
namespace {

namespace own {
constexpr int32_t kText = 0;
constexpr int32_t kEffect = 1;
constexpr int32_t kFont = 2;
constexpr int32_t kTextColor = 3;
constexpr int32_t kHorzAlign = 4;
constexpr int32_t kWordWrap = 5;
constexpr int32_t kVertAlign = 6;
}  // namespace own

int32_t Clamp(int32_t v, int32_t highest) { return v < 0 ? 0 : v > highest ? highest : v; }

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = std::make_unique<TransLabelProperties>();
  if (!ReadPropertyData(*properties, data, length)) return nullptr;
  InstallTransLabelAccessibility();
  auto* label = new TransLabelUnit({windowId, unitId, Ui1HostNotify()}, std::move(properties), parent);
  label->setGeometry(x, y, width, height);
  label->setEnabled((style & window_style::kDisabled) == 0);
  label->Apply();
  return label;
}

int32_t PropertyChanged(Unit* unit, int32_t index, const PropertyValue* value, intptr_t) {
  auto* label = static_cast<TransLabelUnit*>(unit);
  TransLabelProperties& p = label->Props();
  switch (index) {
    case own::kText: {
      const char* text = value->AsText();
      p.text = text != nullptr ? text : "";
      break;
    }
    case own::kEffect: p.effect = Clamp(value->AsInteger(), 3); break;
    case own::kFont: {
      auto bytes = value->AsData();
      p.font.assign(bytes.begin(), bytes.end());
      break;
    }
    case own::kTextColor: p.textColor = static_cast<uint32_t>(value->first); break;
    case own::kHorzAlign: p.horzAlign = Clamp(value->AsInteger(), 2); break;
    case own::kWordWrap: p.wordWrap = value->AsInteger(); break;
    case own::kVertAlign: p.vertAlign = Clamp(value->AsInteger(), 2); break;
    default: return 0;
  }
  label->Apply();
  return 0;
}

int32_t GetProperty(Unit* unit, int32_t index, PropertyValue* value) {
  const TransLabelProperties& p = static_cast<TransLabelUnit*>(unit)->Props();
  switch (index) {
    case own::kText: *value = PropertyValue::Text(p.text.c_str()); return 1;
    case own::kEffect: *value = PropertyValue::Integer(p.effect); return 1;
    case own::kFont:
      *value = p.font.empty() ? PropertyValue{} : PropertyValue::Data(p.font.data(), p.font.size());
      return 1;
    case own::kTextColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.textColor)); return 1;
    case own::kHorzAlign: *value = PropertyValue::Integer(p.horzAlign); return 1;
    case own::kWordWrap: *value = PropertyValue::Integer(p.wordWrap); return 1;
    case own::kVertAlign: *value = PropertyValue::Integer(p.vertAlign); return 1;
    default: return 0;
  }
}

void* EnumTexts(const uint8_t* data, int32_t* length, EnumTextsCallback callback, intptr_t user) {
  TransLabelProperties p;
  return EnumPropertyTexts(p, data, length, callback, user, [&p](TextOffer& offer) {
    offer.Text(p.text);
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

const bool kRegistered = RegisterUnitType(type_id::kTransLabel, &GetInterface);

}  // namespace
}  // namespace units

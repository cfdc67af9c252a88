// The hyperlink box unit type: creation and property access as the host asks for them.
#include <algorithm>
#include <utility>

#include "units/framework/enum_texts.h"
#include "units/framework/unit_interfaces.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"
#include "units/hyperlinker/hyperlinker.h"
#include "units/libraries/core_library.h"

namespace units {
namespace {

namespace own {
constexpr int32_t kText = 0;
constexpr int32_t kLinkKind = 1;
constexpr int32_t kMailAddress = 2;
constexpr int32_t kWebAddress = 3;
constexpr int32_t kLinkColor = 4;
constexpr int32_t kVisitedColor = 5;
constexpr int32_t kHoverColor = 6;
constexpr int32_t kBackColor = 7;
constexpr int32_t kBorder = 8;
constexpr int32_t kFont = 9;
}  // namespace own

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = std::make_unique<HyperLinkerProperties>();
  if (!ReadPropertyData(*properties, data, length)) return nullptr;
  auto* box = new HyperLinker({windowId, unitId, CoreHostNotify()}, std::move(properties), parent);
  box->setGeometry(x, y, width, height);
  if (style & window_style::kDisabled) box->setEnabled(false);
  if (style & window_style::kTabStop) box->setFocusPolicy(Qt::TabFocus);
  return box;
}

int32_t PropertyChanged(Unit* unit, int32_t index, const PropertyValue* value, intptr_t) {
  auto* box = dynamic_cast<HyperLinker*>(unit);
  if (box == nullptr || value == nullptr) return 0;
  HyperLinkerProperties& p = box->Props();
  const bool textProperty = index == own::kText || index == own::kMailAddress || index == own::kWebAddress;
  const std::string text = textProperty && value->AsText() != nullptr ? value->AsText() : "";
  switch (index) {
    case own::kText: p.text = text; break;
    case own::kLinkKind: p.linkKind = std::clamp(value->AsInteger(), 0, 1); break;
    case own::kMailAddress: p.mailAddress = text; break;
    case own::kWebAddress: p.webAddress = text; break;
    case own::kLinkColor: p.linkColor = static_cast<uint32_t>(value->AsInteger()); break;
    case own::kVisitedColor: p.visitedColor = static_cast<uint32_t>(value->AsInteger()); break;
    case own::kHoverColor: p.hoverColor = static_cast<uint32_t>(value->AsInteger()); break;
    case own::kBackColor: p.backColor = static_cast<uint32_t>(value->AsInteger()); break;
    case own::kBorder: box->SetBorder(value->AsInteger()); return 0;
    case own::kFont: {
      const std::span<const uint8_t> bytes = value->AsData();
      box->SetFont({bytes.begin(), bytes.end()});
      return 0;
    }
    default: return 0;
  }
  // An address shows only while there is no text of its own.
  if ((index == own::kMailAddress || index == own::kWebAddress) && !p.text.empty()) return 0;
  box->update();
  return 0;
}

int32_t GetProperty(Unit* unit, int32_t index, PropertyValue* value) {
  auto* box = dynamic_cast<HyperLinker*>(unit);
  if (box == nullptr || value == nullptr) return 0;
  HyperLinkerProperties& p = box->Props();
  switch (index) {
    case own::kText: *value = PropertyValue::Text(p.text.c_str()); return 1;
    case own::kLinkKind: *value = PropertyValue::Integer(p.linkKind); return 1;
    case own::kMailAddress: *value = PropertyValue::Text(p.mailAddress.c_str()); return 1;
    case own::kWebAddress: *value = PropertyValue::Text(p.webAddress.c_str()); return 1;
    case own::kLinkColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.linkColor)); return 1;
    case own::kVisitedColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.visitedColor)); return 1;
    case own::kHoverColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.hoverColor)); return 1;
    case own::kBackColor: *value = PropertyValue::Integer(static_cast<int32_t>(p.backColor)); return 1;
    case own::kBorder: *value = PropertyValue::Integer(p.border); return 1;
    case own::kFont: *value = p.font.empty() ? PropertyValue{} : PropertyValue::Data(p.font.data(), p.font.size()); return 1;
    default: return 0;
  }
}

// Offers each text the data holds for replacement, and answers the data written anew.
void* EnumTexts(const uint8_t* data, int32_t* length, EnumTextsCallback callback, intptr_t user) {
  HyperLinkerProperties p;
  return EnumPropertyTexts(p, data, length, callback, user, [&p](TextOffer& offer) {
    offer.FontFace(p.font);
    offer.Text(p.text);
    offer.Text(p.mailAddress);
    offer.Text(p.webAddress);
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

const bool kRegistered = RegisterUnitType(type_id::kHyperLinker, &GetInterface);

}  // namespace
}  // namespace units

// The super button's operations as the host asks for them by number.
#include <memory>

#include "platform/colors.h"
#include "units/framework/enum_texts.h"
#include "units/framework/unit_interfaces.h"
#include "units/framework/unit_type_ids.h"
#include "units/framework/unit_type_registry.h"
#include "units/libraries/ui2_library.h"
#include "units/superbtn/superbtn_accessible.h"
#include "units/superbtn/superbtn_unit.h"

namespace units {
namespace {

namespace own {
constexpr int32_t kButtonStyle = 0;
constexpr int32_t kCheckMode = 1;
constexpr int32_t kChecked = 2;
constexpr int32_t kPicturePosition = 3;
constexpr int32_t kPressOffset = 4;
constexpr int32_t kHoverBorder = 5;
constexpr int32_t kHoverFocusRect = 6;
constexpr int32_t kNormalPicture = 7;
constexpr int32_t kNormalTransColor = 8;
constexpr int32_t kHotPicture = 9;
constexpr int32_t kHotTransColor = 10;
constexpr int32_t kDisabledPicture = 11;
constexpr int32_t kDisabledTransColor = 12;
constexpr int32_t kFont = 13;
constexpr int32_t kCaption = 14;
constexpr int32_t kSystemColors = 15;
constexpr int32_t kFirstColor = 16;  // normal text, normal face, hot text, hot face, focus text, focus face
constexpr int32_t kLastColor = 21;
constexpr int32_t kBuiltinSound = 22;
constexpr int32_t kHoverSound = 23;
constexpr int32_t kClickSound = 24;
constexpr int32_t kToolTip = 25;
constexpr int32_t kDefaultButton = 26;
}  // namespace own

int32_t Clamp(int32_t v, int32_t highest) { return v < 0 ? 0 : v > highest ? highest : v; }

uint32_t* ColorOf(SuperBtnProperties& p, int32_t index) {
  uint32_t* colors[] = {&p.normalTextColor, &p.normalBackColor, &p.hotTextColor,
                        &p.hotBackColor,    &p.focusTextColor,  &p.focusBackColor};
  return colors[index - own::kFirstColor];
}

std::vector<uint8_t>* BytesOf(SuperBtnProperties& p, int32_t index) {
  switch (index) {
    case own::kNormalPicture: return &p.normalPicture;
    case own::kHotPicture: return &p.hotPicture;
    case own::kDisabledPicture: return &p.disabledPicture;
    case own::kFont: return &p.font;
    case own::kHoverSound: return &p.hoverSound;
    case own::kClickSound: return &p.clickSound;
    default: return nullptr;
  }
}

int32_t* WordOf(SuperBtnProperties& p, int32_t index) {
  switch (index) {
    case own::kButtonStyle: return &p.buttonStyle;
    case own::kCheckMode: return &p.checkMode;
    case own::kChecked: return &p.checked;
    case own::kPicturePosition: return &p.picturePosition;
    case own::kPressOffset: return &p.pressOffset;
    case own::kHoverBorder: return &p.hoverBorder;
    case own::kHoverFocusRect: return &p.hoverFocusRect;
    case own::kSystemColors: return &p.systemColors;
    case own::kBuiltinSound: return &p.builtinSound;
    case own::kDefaultButton: return &p.defaultButton;
    default: return nullptr;
  }
}

uint32_t* TransColorOf(SuperBtnProperties& p, int32_t index) {
  switch (index) {
    case own::kNormalTransColor: return &p.normalTransColor;
    case own::kHotTransColor: return &p.hotTransColor;
    case own::kDisabledTransColor: return &p.disabledTransColor;
    default: return nullptr;
  }
}

Unit* CreateUnit(const uint8_t* data, int32_t length, uint32_t style, QWidget* parent, uint32_t /*controlId*/,
                 void* /*menu*/, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t windowId,
                 uint32_t unitId, intptr_t, intptr_t) {
  auto properties = std::make_unique<SuperBtnProperties>();
  if (!ReadPropertyData(*properties, data, length)) return nullptr;
  InstallSuperBtnAccessibility();
  auto* button = new SuperBtnUnit({windowId, unitId, Ui2HostNotify()}, std::move(properties), parent);
  button->setGeometry(x, y, width, height);
  // Clicking focuses a button; only a tab stop is reached with Tab.
  button->setFocusPolicy((style & window_style::kTabStop) != 0 ? Qt::StrongFocus : Qt::ClickFocus);
  button->setEnabled((style & window_style::kDisabled) == 0);
  button->FinishCreation();
  return button;
}

int32_t PropertyApplicable(Unit* unit, int32_t index) {
  const SuperBtnProperties& p = static_cast<SuperBtnUnit*>(unit)->Props();
  switch (index) {
    case own::kChecked: return p.checkMode != 0;
    case own::kHoverBorder:
    case own::kHoverFocusRect: return p.buttonStyle != 1;
    case own::kNormalTransColor: return !p.normalPicture.empty();
    case own::kHotTransColor: return !p.hotPicture.empty();
    case own::kDisabledTransColor: return !p.disabledPicture.empty();
    case own::kHoverSound: return p.builtinSound == 0 && p.buttonStyle != 1;
    case own::kClickSound: return p.builtinSound == 0;
    case own::kDefaultButton: return p.checkMode == 0;
    default:
      if (index >= own::kFirstColor && index <= own::kLastColor) return p.systemColors == 0;
      return 1;
  }
}

int32_t PropertyChanged(Unit* unit, int32_t index, const PropertyValue* value, intptr_t) {
  auto* button = static_cast<SuperBtnUnit*>(unit);
  SuperBtnProperties& p = button->Props();
  const int32_t word = value->AsInteger();
  switch (index) {
    case own::kButtonStyle:
      p.buttonStyle = Clamp(word, 2);
      if (p.buttonStyle == 1) button->ClearHot();  // the classic style has no hot state
      break;
    case own::kCheckMode:
      if (word == p.checkMode) return 0;
      p.checkMode = word;
      return 1;
    case own::kChecked:
      p.checked = word;
      if (button->InCheckMode()) button->setChecked(word != 0);
      break;
    case own::kPicturePosition: p.picturePosition = Clamp(word, 3); break;
    case own::kPressOffset: p.pressOffset = Clamp(word, 1); break;
    case own::kHoverBorder:
    case own::kHoverFocusRect:
    case own::kSystemColors: *WordOf(p, index) = word; break;
    case own::kNormalPicture:
    case own::kHotPicture:
    case own::kDisabledPicture: {
      auto bytes = value->AsData();
      BytesOf(p, index)->assign(bytes.begin(), bytes.end());
      (index == own::kNormalPicture ? p.normalSource : index == own::kHotPicture ? p.hotSource : p.disabledSource) = {};
      button->RebuildPicture(index == own::kNormalPicture ? kNormalSlot
                             : index == own::kHotPicture  ? kHotSlot
                                                          : kDisabledSlot);
      break;
    }
    case own::kNormalTransColor:
    case own::kHotTransColor:
    case own::kDisabledTransColor:
      *TransColorOf(p, index) = static_cast<uint32_t>(value->first);
      button->RebuildPicture(index == own::kNormalTransColor ? kNormalSlot
                             : index == own::kHotTransColor  ? kHotSlot
                                                             : kDisabledSlot);
      break;
    case own::kFont: {
      auto bytes = value->AsData();
      p.font.assign(bytes.begin(), bytes.end());
      button->ApplyFont();
      break;
    }
    case own::kCaption: {
      const char* text = value->AsText();
      p.caption = text != nullptr ? text : "";
      button->ApplyCaption();
      break;
    }
    case own::kBuiltinSound: p.builtinSound = word; return 0;
    case own::kHoverSound:
    case own::kClickSound: {
      auto bytes = value->AsData();
      BytesOf(p, index)->assign(bytes.begin(), bytes.end());
      return 0;
    }
    case own::kToolTip: {
      const char* text = value->AsText();
      p.toolTip = text != nullptr ? text : "";
      button->ApplyToolTip();
      return 0;
    }
    case own::kDefaultButton: p.defaultButton = Clamp(word, 1); return 1;
    default:
      if (index < own::kFirstColor || index > own::kLastColor) return 0;
      *ColorOf(p, index) = static_cast<uint32_t>(value->first);
      break;
  }
  button->update();
  return 0;
}

int32_t GetProperty(Unit* unit, int32_t index, PropertyValue* value) {
  auto* button = static_cast<SuperBtnUnit*>(unit);
  SuperBtnProperties& p = button->Props();
  if (index == own::kChecked) {
    *value = PropertyValue::Integer(button->InCheckMode() ? button->isChecked() : p.checked);
  } else if (int32_t* word = WordOf(p, index)) {
    *value = PropertyValue::Integer(*word);
  } else if (std::vector<uint8_t>* bytes = BytesOf(p, index)) {
    *value = bytes->empty() ? PropertyValue{} : PropertyValue::Data(bytes->data(), bytes->size());
  } else if (uint32_t* color = TransColorOf(p, index)) {
    *value = PropertyValue::Integer(static_cast<int32_t>(*color));
  } else if (index >= own::kFirstColor && index <= own::kLastColor) {
    *value = PropertyValue::Integer(static_cast<int32_t>(*ColorOf(p, index)));
  } else if (index == own::kCaption) {
    *value = PropertyValue::Text(p.caption.c_str());
  } else if (index == own::kToolTip) {
    *value = PropertyValue::Text(p.toolTip.c_str());
  } else {
    return 0;
  }
  return 1;
}

void* EnumTexts(const uint8_t* data, int32_t* length, EnumTextsCallback callback, intptr_t user) {
  SuperBtnProperties p;
  return EnumPropertyTexts(p, data, length, callback, user, [&p](TextOffer& offer) {
    offer.FontFace(p.font);
    offer.Text(p.caption);
    offer.Text(p.toolTip);
  });
}

int32_t IsDefaultButton(Unit* unit) { return static_cast<SuperBtnUnit*>(unit)->IsDefault() ? 1 : 0; }

void* GetInterface(int32_t number) {
  static constexpr InterfaceTable kInterfaces{
      .createUnit = CreateUnit,
      .propertyApplicable = PropertyApplicable,
      .propertyChanged = PropertyChanged,
      .getAllPropertyData = GetAllPropertyData,
      .getProperty = GetProperty,
      .enumTexts = EnumTexts,
      .isDefaultButton = IsDefaultButton};
  return AnswerInterface(kInterfaces, number);
}

const bool kRegistered = RegisterUnitType(type_id::kSuperBtn, &GetInterface);

}  // namespace
}  // namespace units

#pragma once
// The own properties of a super button and their stored form (versions 0 to 2).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "units/framework/property_data.h"

namespace units {

struct SuperBtnProperties : PropertyObject {
  int32_t buttonStyle;     // 0 hover, 1 classic 3D, 2 hover with a rounded face
  int32_t checkMode;       // each click toggles `checked`
  int32_t checked;
  int32_t picturePosition;  // 0 left of the text, 1 above, 2 right, 3 top-left corner
  int32_t pressOffset;      // 0: one right and one down while pressed; 1: two down
  int32_t hoverBorder;
  int32_t hoverFocusRect;
  std::vector<uint8_t> normalPicture;
  uint32_t normalTransColor;  // 0xFF000000: the picture's top-left pixel
  std::vector<uint8_t> hotPicture;
  uint32_t hotTransColor;
  std::vector<uint8_t> disabledPicture;
  uint32_t disabledTransColor;
  // Where each picture was read from; empty once it is set at run time.
  std::span<const uint8_t> normalSource, hotSource, disabledSource;
  std::vector<uint8_t> font;  // a 60-byte font record, or anything else for the default GUI font
  std::string caption;        // GBK
  int32_t systemColors;       // take the six colours below from the system
  uint32_t normalTextColor;
  uint32_t normalBackColor;
  uint32_t hotTextColor;
  uint32_t hotBackColor;
  uint32_t focusTextColor;
  uint32_t focusBackColor;
  int32_t builtinSound;
  std::vector<uint8_t> hoverSound;  // complete WAVE file images
  std::vector<uint8_t> clickSound;
  std::string toolTip;  // GBK; empty: no tooltip
  int32_t defaultButton;

  SuperBtnProperties() { SuperBtnProperties::Reset(); }
  void Reset() override;
  void Serialise(PropertyArchive& archive) override;
};

}  // namespace units

#pragma once
// The own properties of a transparent label and their stored form.
#include <cstdint>
#include <string>
#include <vector>

#include "units/framework/property_data.h"

namespace units {

struct TransLabelProperties : PropertyObject {
  std::string text;  // GBK
  int32_t effect;    // 0 plain, 1 raised, 2 sunken, 3 shadow
  std::vector<uint8_t> font;  // a 60-byte font record, or anything else for the default GUI font
  uint32_t textColor;         // 0x00BBGGRR
  int32_t horzAlign;          // 0 left, 1 centred, 2 right
  int32_t wordWrap;           // non-zero: wrap from the top, vertAlign unused
  int32_t vertAlign;          // single line: 0 top, 1 centred, 2 bottom

  TransLabelProperties() { TransLabelProperties::Reset(); }
  void Reset() override;
  void Serialise(PropertyArchive& archive) override;
};

}  // namespace units

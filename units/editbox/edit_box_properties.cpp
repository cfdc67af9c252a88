#include "units/editbox/edit_box_properties.h"

#include <algorithm>

namespace units::editbox {

void EditBoxProperties::Reset() {
  content.clear();
  borderStyle = 1;
  textColor = 0;
  backColor = 0xFFFFFF;
  font.clear();
  hideSelection = 1;
  maxLength = 0;
  multiline = 0;
  scrollBars = 0;
  alignment = 0;
  inputMode = kNormal;
  passwordChar = '*';
  caseConversion = 0;
  upDownMode = kNoUpDown;
  upDownMin = 0;
  upDownMax = 100;
  selStart = 0;
  selLength = 0;
  dataSource.clear();
  dataColumn.clear();
}

void EditBoxProperties::Serialise(PropertyArchive& a) {
  a.Version(2);
  a.Int32(borderStyle);
  a.UInt32(textColor);
  a.UInt32(backColor);
  a.Int32(hideSelection);
  a.Int32(maxLength);
  a.Int32(multiline);
  a.Int32(scrollBars);
  a.Int32(alignment);
  a.Int32(inputMode);
  a.Char16(passwordChar);
  a.Int32(caseConversion);
  a.Int32(upDownMode);
  a.Int32(upDownMin);
  a.Int32(upDownMax);
  a.Int32(selStart);
  a.Int32(selLength);
  a.Bytes(font);
  a.Text(content);
  if (a.Since(2)) {
    a.Text(dataSource);
    a.Text(dataColumn);
  }
}

void EditBoxProperties::Sanitise() {
  borderStyle = std::clamp(borderStyle, 0, 5);
  hideSelection = hideSelection != 0;
  maxLength = std::max(maxLength, 0);
  multiline = multiline != 0;
  scrollBars = std::clamp(scrollBars, 0, 3);
  alignment = std::clamp(alignment, 0, 2);
  inputMode = std::clamp(inputMode, 0, static_cast<int32_t>(kLastInputMode));
  caseConversion = std::clamp(caseConversion, 0, 2);
  upDownMode = std::clamp(upDownMode, 0, 2);
  selStart = std::max(selStart, 0);
  selLength = std::max(selLength, 0);
}

}  // namespace units::editbox

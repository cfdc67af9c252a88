#include "units/translabel/translabel_properties.h"

namespace units {

void TransLabelProperties::Reset() {
  text = "\xcd\xb8\xc3\xf7\xb1\xea\xc7\xa9";  // 透明标签
  effect = 0;
  font.clear();
  textColor = 0x00000000;
  horzAlign = 0;
  wordWrap = 0;
  vertAlign = 1;
}

void TransLabelProperties::Serialise(PropertyArchive& archive) {
  // Versions 0 and 1 hold the same fields.
  archive.Version(1);
  archive.Int32(effect);
  archive.UInt32(textColor);
  archive.Int32(horzAlign);
  archive.Int32(vertAlign);  // stored before the wrap flag
  archive.Int32(wordWrap);
  archive.Bytes(font);
  archive.Text(text);
}

}  // namespace units

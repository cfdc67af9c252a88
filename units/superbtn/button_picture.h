#pragma once
// A picture of the super button, decoded once when it is set.
#include <QImage>

#include <cstdint>
#include <span>

namespace units {

struct ButtonPicture {
  // ARGB32: clear wherever the picture holds its transparent colour. Null: no picture.
  QImage image;

  bool Empty() const { return image.isNull(); }

  // Decodes picture file bytes; a transparent colour of 0xFF000000 means the colour of the
  // top-left pixel. Bytes that are no picture give an empty one. A picture whose `source` (where
  // its bytes were read from) lasts the whole run is decoded once for every button.
  static ButtonPicture Build(std::span<const uint8_t> bytes, uint32_t transColor,
                             std::span<const uint8_t> source = {});

  // The picture as disabled controls show theirs: laid on white, everything that is not white
  // embossed in the highlight colour one pixel down and right under the shadow colour. One pixel
  // wider and taller than the picture.
  QImage Greyed() const;
};

}  // namespace units

#include "imaging/packed_dib.h"

#include <cstring>

#include "imaging/bytes.h"

namespace imaging::detail {
namespace {

void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> NewPackedDib(int width, int height) {
  const std::size_t imageSize = DibStride(width) * height;
  std::vector<std::uint8_t> dib(kDibPixelsOffset + imageSize);
  std::uint8_t* h = dib.data();
  Put32(h, kDibHeaderSize);
  Put32(h + 4, width);
  Put32(h + 8, static_cast<std::uint32_t>(-height));  // negative: rows top-down
  h[12] = 1;                                          // planes
  h[14] = 8;                                          // bits per pixel
  Put32(h + 20, static_cast<std::uint32_t>(imageSize));
  Put32(h + 32, 256);  // colours used
  return dib;
}

QImage PackedDibToImage(const std::vector<std::uint8_t>& dib) {
  if (dib.size() < kDibPixelsOffset) return {};
  const std::int32_t width = LoadI32(dib.data() + 4), height = -LoadI32(dib.data() + 8);
  if (width <= 0 || height <= 0 || dib[14] != 8) return {};
  const std::size_t stride = DibStride(width);
  if ((dib.size() - kDibPixelsOffset) / stride < static_cast<std::size_t>(height)) return {};
  QImage image(width, height, QImage::Format_Indexed8);
  if (image.isNull()) return {};
  QList<QRgb> colours(256);
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* entry = dib.data() + kDibPaletteOffset + i * 4;
    colours[i] = qRgb(entry[2], entry[1], entry[0]);
  }
  image.setColorTable(colours);
  for (int y = 0; y < height; ++y)
    std::memcpy(image.scanLine(y), dib.data() + kDibPixelsOffset + y * stride, width);
  return image;
}

}  // namespace imaging::detail

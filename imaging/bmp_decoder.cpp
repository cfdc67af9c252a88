// Uncompressed BMP files of 1, 4, 8, 24 and 32 bits per pixel, turned into the 24-bit
// bottom-up layout shared with JPEG pictures.
#include <array>
#include <cstdlib>
#include <cstring>

#include "imaging/decoders.h"

namespace imaging::detail {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

}  // namespace

std::unique_ptr<Image> DecodeBmp(Bytes data) {
  const std::size_t size = data.size();
  if (size < kFileHeaderSize + kInfoHeaderSize) return nullptr;
  const std::uint8_t* b = data.data();
  const std::uint32_t dataOffset = U32(b + 10);
  const std::uint32_t infoSize = U32(b + 14);
  const std::int32_t storedWidth = I32(b + 18), storedHeight = I32(b + 22);
  const unsigned bits = U16(b + 28);
  const std::uint32_t compression = U32(b + 30), usedColours = U32(b + 46);
  if (compression != 0 || infoSize < kInfoHeaderSize) return nullptr;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return nullptr;

  // The palette follows the information header, which newer files make longer than 40 bytes.
  std::array<std::uint8_t, 256 * 3> palette{};  // blue, green, red per entry; missing entries black
  std::uint64_t headerEnd = kFileHeaderSize + std::uint64_t{infoSize};
  if (bits <= 8) {
    const std::uint32_t colours = usedColours != 0 ? usedColours : 1u << bits;
    if (colours > (1u << bits)) return nullptr;
    if (headerEnd + std::uint64_t{colours} * 4 > size) return nullptr;
    for (std::uint32_t i = 0; i < colours; ++i) std::memcpy(&palette[i * 3], b + headerEnd + i * 4, 3);
    headerEnd += std::uint64_t{colours} * 4;
  }
  if (dataOffset < headerEnd || dataOffset > size) return nullptr;

  const std::uint64_t width = static_cast<std::uint64_t>(std::llabs(storedWidth));
  const std::uint64_t height = static_cast<std::uint64_t>(std::llabs(storedHeight));
  const std::uint64_t stride = PaddedStride(width, bits);
  // Uncompressed rows must all be present, which also bounds the allocation by the file size.
  if (!Plausible(width, height, size, 8) || stride * height > size - dataOffset) return nullptr;

  auto image = std::make_unique<Image>();
  image->kind = kBmp;
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  image->pixels.resize(width * height * 3);
  // A negative height marks rows stored top-down; they are turned round so the picture is upright.
  const bool topDown = storedHeight < 0;
  for (std::uint64_t row = 0; row < height; ++row) {
    const std::uint8_t* in = b + dataOffset + row * stride;
    std::uint8_t* out = image->pixels.data() + (topDown ? height - 1 - row : row) * width * 3;
    switch (bits) {
      case 24: std::memcpy(out, in, width * 3); break;
      case 32:
        for (std::uint64_t x = 0; x < width; ++x, in += 4, out += 3) std::memcpy(out, in, 3);
        break;
      default:
        for (std::uint64_t x = 0; x < width; ++x, out += 3) std::memcpy(out, &palette[PaletteIndex(in, bits, x) * 3], 3);
    }
  }
  return image;
}

}  // namespace imaging::detail

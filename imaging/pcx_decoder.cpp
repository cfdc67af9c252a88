// Run-length encoded PCX files: 8 bits per pixel with the 256-colour palette at the end of
// the file, or 1 bit per pixel in black and white.
#include <cstring>
#include <vector>

#include "imaging/decoders.h"
#include "imaging/packed_dib.h"

namespace imaging::detail {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 1 + 256 * 3;  // marker byte 12, then red, green, blue
// A run of two bytes yields at most 63 bytes.
constexpr std::uint64_t kBytesPerByte = 63;

// Run-length decodes `runs` until `out` is full; false when the runs end first.
bool DecodeRuns(Bytes runs, std::span<std::uint8_t> out) {
  std::size_t in = 0, written = 0;
  while (written < out.size()) {
    if (in >= runs.size()) return false;
    std::uint8_t value = runs[in++];
    std::size_t count = 1;
    if (value >= 0xC0) {
      if (in >= runs.size()) return false;
      count = value & 0x3F;
      value = runs[in++];
    }
    count = std::min(count, out.size() - written);
    std::memset(out.data() + written, value, count);
    written += count;
  }
  return true;
}

}  // namespace

std::unique_ptr<Image> DecodePcx(Bytes data, Refusal& why) {
  if (data.size() <= kHeaderSize) return Refuse(why, RefusalKind::kTruncated, "truncated PCX: header cut short");
  const std::uint8_t* h = data.data();
  const unsigned version = h[1], bits = h[3], planes = h[65];
  const unsigned xMin = U16(h + 4), yMin = U16(h + 6), xMax = U16(h + 8), yMax = U16(h + 10);
  const std::size_t bytesPerLine = U16(h + 66);
  if (h[0] != 10 || h[2] != 1 || version > 5) return Refuse(why, RefusalKind::kNotPicture, "no known picture format");
  if (xMax < xMin || yMax < yMin) return Refuse(why, RefusalKind::kDamaged, "damaged PCX: negative size");
  // Several planes would be a colour picture this decoder does not know how to combine.
  if (planes != 1 || (bits != 1 && bits != 8)) return Refuse(why, RefusalKind::kUnsupported, "unsupported PCX: planes or bits");
  const std::size_t width = xMax - xMin + 1, height = yMax - yMin + 1;
  if (bytesPerLine < (width * bits + 7) / 8) return Refuse(why, RefusalKind::kDamaged, "damaged PCX: lines shorter than the width");

  Bytes runs = data.subspan(kHeaderSize);
  if (bits == 8) {
    if (data.size() < kHeaderSize + kPaletteSize || data[data.size() - kPaletteSize] != 12)
      return Refuse(why, RefusalKind::kTruncated, "truncated PCX: no palette at the end");
    runs = data.subspan(kHeaderSize, data.size() - kHeaderSize - kPaletteSize);
  }
  if (!Plausible(width, height, data.size(), kBytesPerByte * 8 / bits) ||
      std::uint64_t{bytesPerLine} * height > runs.size() * kBytesPerByte)
    return Refuse(why, RefusalKind::kTooLarge, "too large PCX: larger than its data could describe");
  std::vector<std::uint8_t> lines(bytesPerLine * height);
  if (!DecodeRuns(runs, lines)) return Refuse(why, RefusalKind::kTruncated, "truncated PCX: pixel data ends early");

  auto image = std::make_unique<Image>();
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  if (bits == 8) {
    image->kind = kPcx8;
    image->pixels = NewPackedDib(image->width, image->height);
    const std::uint8_t* colours = data.data() + data.size() - kPaletteSize + 1;
    std::uint8_t* palette = image->pixels.data() + kDibPaletteOffset;
    for (std::size_t i = 0; i < 256; ++i) {
      palette[i * 4] = colours[i * 3 + 2];
      palette[i * 4 + 1] = colours[i * 3 + 1];
      palette[i * 4 + 2] = colours[i * 3];
    }
    const std::size_t stride = DibStride(width);
    for (std::size_t y = 0; y < height; ++y)
      std::memcpy(image->pixels.data() + kDibPixelsOffset + y * stride, lines.data() + y * bytesPerLine, width);
  } else {
    image->kind = kPcx1;
    const std::size_t used = (width + 7) / 8, stride = (used + 1) & ~std::size_t{1};
    image->pixels.resize(stride * height);
    for (std::size_t y = 0; y < height; ++y)
      std::memcpy(image->pixels.data() + y * stride, lines.data() + y * bytesPerLine, used);
  }
  return image;
}

}  // namespace imaging::detail

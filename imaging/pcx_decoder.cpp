// Run-length encoded PCX files: 8 bits per pixel with the 256-colour palette at the end of
// the file, or 1 bit per pixel in black and white; decoded straight into drawable indexed and
// monochrome bitmaps.
#include <algorithm>
#include <cstring>

#include "imaging/decoders.h"

namespace imaging::detail {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 1 + 256 * 3;  // marker byte 12, then red, green, blue
// A run of two bytes yields at most 63 bytes.
constexpr std::uint64_t kBytesPerByte = 63;

// Run-length decoding, line by line. A run may carry on from one line into the next.
class RunDecoder {
 public:
  explicit RunDecoder(Bytes runs) : runs_(runs) {}

  // Fills `out` with the next `count` bytes (or skips them when `out` is null); false when the
  // runs end first.
  bool Next(std::uint8_t* out, std::size_t count) {
    while (count > 0) {
      if (pending_ == 0) {
        if (in_ >= runs_.size()) return false;
        const std::uint8_t value = runs_[in_++];
        if (value < 0xC0) {  // most bytes of a picture with detail stand for themselves
          if (out != nullptr) *out++ = value;
          --count;
          continue;
        }
        if (in_ >= runs_.size()) return false;
        pending_ = value & 0x3F;
        value_ = runs_[in_++];
      }
      const std::size_t n = std::min(count, pending_);
      if (out != nullptr) out = static_cast<std::uint8_t*>(std::memset(out, value_, n)) + n;
      pending_ -= n;
      count -= n;
    }
    return true;
  }

 private:
  Bytes runs_;
  std::size_t in_ = 0;
  std::size_t pending_ = 0;  // bytes of the current run still to give
  std::uint8_t value_ = 0;
};

}  // namespace

std::unique_ptr<Image> DecodePcx(Bytes data, Refusal& why) {
  if (data.size() <= kHeaderSize) return Refuse(why, RefusalKind::kTruncated, "truncated PCX: header cut short");
  const std::uint8_t* h = data.data();
  const unsigned version = h[1], bits = h[3], planes = h[65];
  const unsigned xMin = LoadU16(h + 4), yMin = LoadU16(h + 6), xMax = LoadU16(h + 8), yMax = LoadU16(h + 10);
  const std::size_t bytesPerLine = LoadU16(h + 66);
  if (h[0] != 10 || h[2] != 1 || version > 5) return Refuse(why, RefusalKind::kNotPicture, "no known picture format");
  if (xMax < xMin || yMax < yMin) return Refuse(why, RefusalKind::kDamaged, "damaged PCX: negative size");
  // Several planes would be a colour picture this decoder does not know how to combine.
  if (planes != 1 || (bits != 1 && bits != 8)) return Refuse(why, RefusalKind::kUnsupported, "unsupported PCX: planes or bits");
  const std::size_t width = xMax - xMin + 1, height = yMax - yMin + 1;
  if (bytesPerLine < (width * bits + 7) / 8) return Refuse(why, RefusalKind::kDamaged, "damaged PCX: lines shorter than the width");

  Bytes runData = data.subspan(kHeaderSize);
  if (bits == 8) {
    if (data.size() < kHeaderSize + kPaletteSize || data[data.size() - kPaletteSize] != 12)
      return Refuse(why, RefusalKind::kTruncated, "truncated PCX: no palette at the end");
    runData = data.subspan(kHeaderSize, data.size() - kHeaderSize - kPaletteSize);
  }
  if (!Plausible(width, height, data.size(), kBytesPerByte * 8 / bits) ||
      std::uint64_t{bytesPerLine} * height > runData.size() * kBytesPerByte)
    return Refuse(why, RefusalKind::kTooLarge, "too large PCX: larger than its data could describe");
  auto image = std::make_unique<Image>();
  image->kind = bits == 8 ? kPcx8 : kPcx1;
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  image->bitmap = QImage(image->width, image->height, bits == 8 ? QImage::Format_Indexed8 : QImage::Format_Mono);
  if (image->bitmap.isNull()) return Refuse(why, RefusalKind::kTooLarge, "too large PCX: out of memory");
  if (bits == 8) {
    const std::uint8_t* colours = data.data() + data.size() - kPaletteSize + 1;
    QList<QRgb> palette(256);
    for (qsizetype i = 0; i < 256; ++i) palette[i] = qRgb(colours[i * 3], colours[i * 3 + 1], colours[i * 3 + 2]);
    image->bitmap.setColorTable(palette);
  } else {
    image->bitmap.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  }
  RunDecoder runs(runData);
  const std::size_t used = (width * bits + 7) / 8;
  for (std::size_t y = 0; y < height; ++y)
    if (!runs.Next(image->bitmap.scanLine(static_cast<int>(y)), used) || !runs.Next(nullptr, bytesPerLine - used))
      return Refuse(why, RefusalKind::kTruncated, "truncated PCX: pixel data ends early");
  return image;
}

}  // namespace imaging::detail

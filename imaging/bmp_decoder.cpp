// Uncompressed BMP files of 1, 4, 8, 24 and 32 bits per pixel, decoded straight into drawable
// bitmaps: opaque RGB32 for 24 and 32 bits, indexed for 4 and 8, monochrome for 1.
#include <cstdlib>
#include <cstring>

#include "imaging/decoders.h"

namespace imaging::detail {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

}  // namespace

std::unique_ptr<Image> DecodeBmp(Bytes data, Refusal& why) {
  const std::size_t size = data.size();
  if (size < kFileHeaderSize + kInfoHeaderSize) return Refuse(why, RefusalKind::kTruncated, "truncated BMP: header cut short");
  const std::uint8_t* b = data.data();
  const std::uint32_t dataOffset = LoadU32(b + 10);
  const std::uint32_t infoSize = LoadU32(b + 14);
  const std::int32_t storedWidth = LoadI32(b + 18), storedHeight = LoadI32(b + 22);
  const unsigned bits = LoadU16(b + 28);
  const std::uint32_t compression = LoadU32(b + 30), usedColours = LoadU32(b + 46);
  if (infoSize < kInfoHeaderSize) return Refuse(why, RefusalKind::kDamaged, "damaged BMP: header too short");
  if (compression != 0) return Refuse(why, RefusalKind::kUnsupported, "unsupported BMP: compressed");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
    return Refuse(why, RefusalKind::kUnsupported, "unsupported BMP: bits per pixel");

  // The palette follows the information header, which newer files make longer than 40 bytes.
  // A file may list more colours than its pixels can index: they are all stepped over, and the
  // pixels use the first ones.
  QList<QRgb> palette(bits <= 8 ? 1 << bits : 0, qRgb(0, 0, 0));  // missing entries black
  std::uint64_t headerEnd = kFileHeaderSize + std::uint64_t{infoSize};
  if (bits <= 8) {
    const std::uint64_t colours = usedColours != 0 ? usedColours : 1u << bits;
    if (headerEnd + colours * 4 > size) return Refuse(why, RefusalKind::kTruncated, "truncated BMP: palette cut short");
    for (std::uint64_t i = 0; i < colours && i < (1u << bits); ++i) {
      const std::uint8_t* entry = b + headerEnd + i * 4;
      palette[static_cast<qsizetype>(i)] = qRgb(entry[2], entry[1], entry[0]);
    }
    headerEnd += colours * 4;
  }
  if (dataOffset < headerEnd) return Refuse(why, RefusalKind::kDamaged, "damaged BMP: pixels inside the header");
  if (dataOffset > size) return Refuse(why, RefusalKind::kTruncated, "truncated BMP: no pixels");

  const std::uint64_t width = static_cast<std::uint64_t>(std::llabs(storedWidth));
  const std::uint64_t height = static_cast<std::uint64_t>(std::llabs(storedHeight));
  const std::uint64_t stride = PaddedStride(width, bits);
  // Uncompressed rows must all be present, which also bounds the allocation by the file size.
  if (!Plausible(width, height, size, 8)) return Refuse(why, RefusalKind::kTooLarge, "too large BMP: larger than its data");
  if (stride * height > size - dataOffset) return Refuse(why, RefusalKind::kTruncated, "truncated BMP: pixel rows cut short");

  auto image = std::make_unique<Image>();
  image->kind = kBmp;
  image->width = static_cast<int>(width);
  image->height = static_cast<int>(height);
  const QImage::Format format = bits == 1 ? QImage::Format_Mono : bits <= 8 ? QImage::Format_Indexed8 : QImage::Format_RGB32;
  image->bitmap = QImage(image->width, image->height, format);
  if (image->bitmap.isNull()) return Refuse(why, RefusalKind::kTooLarge, "too large BMP: out of memory");
  if (bits <= 8) image->bitmap.setColorTable(palette);
  // Rows are stored bottom-up; a negative height marks rows stored top-down.
  const bool topDown = storedHeight < 0;
  for (std::uint64_t row = 0; row < height; ++row) {
    const std::uint8_t* in = b + dataOffset + row * stride;
    std::uint8_t* out = image->bitmap.scanLine(static_cast<int>(topDown ? row : height - 1 - row));
    switch (bits) {
      case 1:  // the same bits, most significant first
        std::memcpy(out, in, (width + 7) / 8);
        break;
      case 4:
        for (std::uint64_t x = 0; x < width; ++x) out[x] = static_cast<std::uint8_t>(PaletteIndex(in, bits, x));
        break;
      case 8: std::memcpy(out, in, width); break;
      default:
        for (std::uint64_t x = 0; x < width; ++x, in += bits / 8)
          reinterpret_cast<QRgb*>(out)[x] = qRgb(in[2], in[1], in[0]);
    }
  }
  return image;
}

}  // namespace imaging::detail

// Icon and cursor files: a directory of entries, each either a bitmap with a transparency mask
// below it or a complete PNG file. One entry is chosen by its width and turned into an image.
#include <array>
#include <cstring>

#include "imaging/decoders.h"

namespace imaging::detail {
namespace {

constexpr std::size_t kFileHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Records why an entry is refused; a null image.
QImage RefuseEntry(Refusal& why, RefusalKind kind, const char* text) {
  Refuse(why, kind, text);
  return {};
}

QImage FromPng(Bytes entry, Refusal& why) {
  const std::unique_ptr<Image> png = DecodePng(entry, why);
  return png ? png->bitmap.convertToFormat(QImage::Format_ARGB32) : QImage();
}

// A bitmap entry: information header (its height counts colour rows and mask rows), palette,
// colour rows and 1-bit mask rows, both bottom-up. Mask bit 1 is a transparent pixel.
QImage FromBitmap(Bytes entry, Refusal& why) {
  if (entry.size() < kInfoHeaderSize) return RefuseEntry(why, RefusalKind::kTruncated, "truncated icon: entry cut short");
  const std::uint8_t* b = entry.data();
  const std::uint32_t headerSize = LoadU32(b);
  const std::int32_t width = LoadI32(b + 4), doubleHeight = LoadI32(b + 8);
  const unsigned bits = LoadU16(b + 14);
  const std::uint32_t compression = LoadU32(b + 16), usedColours = LoadU32(b + 32);
  if (headerSize < kInfoHeaderSize || headerSize > entry.size() || width <= 0 || doubleHeight <= 0)
    return RefuseEntry(why, RefusalKind::kDamaged, "damaged icon: entry header");
  if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
    return RefuseEntry(why, RefusalKind::kUnsupported, "unsupported icon: entry format");
  const std::uint64_t height = static_cast<std::uint64_t>(doubleHeight) / 2;

  std::array<QRgb, 256> palette{};
  std::uint64_t pos = headerSize;
  if (bits <= 8) {
    const std::uint32_t colours = usedColours != 0 ? usedColours : 1u << bits;
    if (colours > (1u << bits) || pos + std::uint64_t{colours} * 4 > entry.size())
      return RefuseEntry(why, RefusalKind::kDamaged, "damaged icon: palette");
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::uint8_t* c = b + pos + i * 4;
      palette[i] = qRgb(c[2], c[1], c[0]);
    }
    pos += std::uint64_t{colours} * 4;
  }
  const std::uint64_t colourStride = PaddedStride(width, bits), maskStride = PaddedStride(width, 1);
  if (!Plausible(width, height, entry.size(), 8) || (colourStride + maskStride) * height > entry.size() - pos)
    return RefuseEntry(why, RefusalKind::kTruncated, "truncated icon: entry smaller than its size");
  const std::uint8_t* colourRows = b + pos;
  const std::uint8_t* maskRows = colourRows + colourStride * height;

  QImage image(width, static_cast<int>(height), QImage::Format_ARGB32);
  if (image.isNull()) return RefuseEntry(why, RefusalKind::kTooLarge, "too large icon: out of memory");
  // 32-bit entries carry their own alpha; only when every alpha byte is 0 does the mask rule.
  bool ownAlpha = false;
  if (bits == 32)
    for (std::uint64_t i = 0; i < std::uint64_t(width) * height && !ownAlpha; ++i)
      ownAlpha = colourRows[(i / width) * colourStride + (i % width) * 4 + 3] != 0;
  for (std::uint64_t row = 0; row < height; ++row) {
    const std::uint8_t* in = colourRows + row * colourStride;
    const std::uint8_t* mask = maskRows + row * maskStride;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(height - 1 - row)));
    for (std::int32_t x = 0; x < width; ++x) {
      QRgb pixel;
      if (bits >= 24) {
        const std::uint8_t* p = in + x * (bits / 8);
        pixel = qRgb(p[2], p[1], p[0]);
      } else {
        pixel = palette[PaletteIndex(in, bits, x)];
      }
      const int alpha = ownAlpha ? in[x * 4 + 3] : (PaletteIndex(mask, 1, x) ? 0 : 255);
      out[x] = (pixel & 0x00FFFFFF) | static_cast<QRgb>(alpha) << 24;
    }
  }
  return image;
}

QImage FromEntry(Bytes entry, Refusal& why) {
  if (entry.size() >= sizeof kPngSignature && std::memcmp(entry.data(), kPngSignature, sizeof kPngSignature) == 0)
    return FromPng(entry, why);
  return FromBitmap(entry, why);
}

}  // namespace

QImage IconOfWidth(Bytes data, int wantedWidth, Refusal& why) {
  if (data.size() < kFileHeaderSize) return RefuseEntry(why, RefusalKind::kTruncated, "truncated icon: header cut short");
  const std::uint8_t* b = data.data();
  const unsigned type = LoadU16(b + 2), count = LoadU16(b + 4);
  if (LoadU16(b) != 0 || (type != 1 && type != 2) || count == 0)
    return RefuseEntry(why, RefusalKind::kNotPicture, "no known picture format");
  if (kFileHeaderSize + std::size_t{count} * kEntrySize > data.size())
    return RefuseEntry(why, RefusalKind::kTruncated, "truncated icon: directory cut short");
  // The first entry of the wanted width at any colour depth, else the last one.
  const std::uint8_t* chosen = b + kFileHeaderSize + (count - 1) * kEntrySize;
  for (unsigned i = 0; i < count; ++i) {
    const std::uint8_t* entry = b + kFileHeaderSize + i * kEntrySize;
    const int width = entry[0] == 0 ? 256 : entry[0];  // 0 stands for 256
    if (width == wantedWidth) {
      chosen = entry;
      break;
    }
  }
  const std::uint64_t size = LoadU32(chosen + 8), offset = LoadU32(chosen + 12);
  if (size == 0 || offset > data.size() || size > data.size() - offset)
    return RefuseEntry(why, RefusalKind::kTruncated, "truncated icon: entry outside the file");
  return FromEntry(data.subspan(offset, size), why);
}

std::unique_ptr<Image> DecodeIcon(Bytes data, Refusal& why) {
  QImage icon = IconOfWidth(data, 32, why);
  if (icon.isNull()) return nullptr;
  auto image = std::make_unique<Image>();
  image->kind = LoadU16(data.data() + 2) == 1 ? kIco : kCur;
  image->width = icon.width();
  image->height = icon.height();
  image->icon = std::move(icon);
  return image;
}

}  // namespace imaging::detail

// PNG pictures through the library's simplified reading interface, which catches its own
// errors and reports them as a zero result. The pixels land straight in the bitmap that is
// drawn: blue, green, red, alpha bytes are exactly the little-endian ARGB32 words.
#include <png.h>

#include "imaging/decoders.h"

namespace imaging::detail {
namespace {

// Deflate expands one byte to at most 1032, and a one-bit picture packs eight pixels a byte.
constexpr std::uint64_t kPixelsPerByte = 1032 * 8;

// Frees the control block however the decoder leaves; freeing twice is harmless.
struct ControlBlock {
  png_image image{};
  ControlBlock() { image.version = PNG_IMAGE_VERSION; }
  ~ControlBlock() { png_image_free(&image); }
  ControlBlock(const ControlBlock&) = delete;
  ControlBlock& operator=(const ControlBlock&) = delete;
};

}  // namespace

std::unique_ptr<Image> DecodePng(Bytes data, Refusal& why) {
  if (data.size() < 8) return Refuse(why, RefusalKind::kTruncated, "truncated PNG: signature cut short");
  ControlBlock control;
  if (!png_image_begin_read_from_memory(&control.image, data.data(), data.size()))
    return Refuse(why, RefusalKind::kDamaged, "damaged PNG: header unreadable");
  // Without an alpha channel or a transparent colour every alpha byte comes out 255, and the
  // bitmap is opaque as it stands.
  const bool opaque = (control.image.format & PNG_FORMAT_FLAG_ALPHA) == 0;
  control.image.format = PNG_FORMAT_BGRA;
  if (!Plausible(control.image.width, control.image.height, data.size(), kPixelsPerByte))
    return Refuse(why, RefusalKind::kTooLarge, "too large PNG: larger than its data could describe");
  auto image = std::make_unique<Image>();
  image->kind = kPng;
  image->width = static_cast<int>(control.image.width);
  image->height = static_cast<int>(control.image.height);
  image->bitmap = QImage(image->width, image->height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32);
  if (image->bitmap.isNull()) return Refuse(why, RefusalKind::kTooLarge, "too large PNG: out of memory");
  if (!png_image_finish_read(&control.image, nullptr, image->bitmap.bits(),
                             static_cast<png_int_32>(image->bitmap.bytesPerLine()), nullptr))
    return Refuse(why, RefusalKind::kDamaged, "damaged PNG: image data unreadable");
  return image;
}

}  // namespace imaging::detail

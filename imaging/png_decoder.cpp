// PNG pictures through the library's simplified reading interface, which catches its own
// errors and reports them as a zero result.
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

std::unique_ptr<Image> DecodePng(Bytes data) {
  if (data.size() < 8) return nullptr;
  ControlBlock control;
  if (!png_image_begin_read_from_memory(&control.image, data.data(), data.size())) return nullptr;
  control.image.format = PNG_FORMAT_BGRA;
  if (!Plausible(control.image.width, control.image.height, data.size(), kPixelsPerByte)) return nullptr;
  auto image = std::make_unique<Image>();
  image->kind = kPng;
  image->width = static_cast<int>(control.image.width);
  image->height = static_cast<int>(control.image.height);
  image->pixels.resize(PNG_IMAGE_SIZE(control.image));
  if (!png_image_finish_read(&control.image, nullptr, image->pixels.data(), 0, nullptr)) return nullptr;
  return image;
}

}  // namespace imaging::detail

// JPEG pictures through the library's version 6 decompression interface. The library reports
// fatal errors by calling back into us; we leave it with longjmp, so everything between the
// setjmp and the library calls lives in one C-style function that owns no C++ objects.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "imaging/decoders.h"

namespace imaging::detail {
namespace {

// A baseline picture of one flat colour needs about half a byte per 8x8 block; progressive
// ones can say even less. This bounds what a few header bytes may make us allocate.
constexpr std::uint64_t kPixelsPerByte = 1024;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void LeaveDecoder(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }

// Warnings are ignored, except that the data ran out: the library would go on inventing grey
// rows, but a truncated picture is refused.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) LeaveDecoder(cinfo);
}

void OutputNothing(j_common_ptr) {}

// Where the decoder writes: asked for once the size is known; null refuses the picture.
struct Target {
  std::uint8_t* (*allocate)(Target* self, JDIMENSION width, JDIMENSION height);
};

// Decodes into rows of blue-green-red, bottom row first. Returns true on success.
bool Decompress(const std::uint8_t* data, std::size_t size, Target* target) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = LeaveDecoder;
  errors.base.emit_message = EmitMessage;
  errors.base.output_message = OutputNothing;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  // Colour and grey pictures alike come out as blue-green-red; four-component ones fail here.
  cinfo.out_color_space = JCS_EXT_BGR;
  std::uint8_t* pixels = target->allocate(target, cinfo.image_width, cinfo.image_height);
  if (pixels == nullptr) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  // The library's own buffers (whole-picture coefficients of progressive pictures) are held to
  // what the data can justify too.
  cinfo.mem->max_memory_to_use = static_cast<long>(std::uint64_t{cinfo.image_width} * cinfo.image_height * 8 + (1 << 20));
  jpeg_start_decompress(&cinfo);
  const std::size_t stride = std::size_t{cinfo.output_width} * 3;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels + stride * (cinfo.output_height - 1 - cinfo.output_scanline);
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

struct ImageTarget : Target {
  std::size_t length = 0;
  std::unique_ptr<Image> image;
};

std::uint8_t* AllocateImage(Target* self, JDIMENSION width, JDIMENSION height) noexcept {
  auto* target = static_cast<ImageTarget*>(self);
  if (!Plausible(width, height, target->length, kPixelsPerByte)) return nullptr;
  try {
    target->image = std::make_unique<Image>();
    target->image->kind = kJpeg;
    target->image->width = static_cast<int>(width);
    target->image->height = static_cast<int>(height);
    target->image->pixels.resize(std::size_t{width} * height * 3);
  } catch (const std::bad_alloc&) {
    target->image.reset();
    return nullptr;
  }
  return target->image->pixels.data();
}

}  // namespace

std::unique_ptr<Image> DecodeJpeg(Bytes data) {
  ImageTarget target;
  target.allocate = AllocateImage;
  target.length = data.size();
  if (!Decompress(data.data(), data.size(), &target)) return nullptr;
  return std::move(target.image);
}

}  // namespace imaging::detail

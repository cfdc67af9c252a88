// JPEG pictures through the library's version 6 decompression interface, decoded straight into
// the drawable layout. The library reports fatal errors by calling back into us; we leave it
// with longjmp, so everything between the setjmp and the library calls lives in one C-style
// function that owns no C++ objects.
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

void OutputNothing(j_common_ptr) {}

// Where the decoder writes: asked for once the size is known; null refuses the picture.
struct Target {
  std::uint8_t* (*allocate)(Target* self, JDIMENSION width, JDIMENSION height, std::size_t* stride);
};

// Decodes into rows of blue, green, red, 0xFF, top row first. Returns 0 on success, else the
// library's code of the fatal error, or -1 when the target refused the size.
//
// Warnings are only counted, as the library's standard error manager does: data that ends
// early is one, and the rows it did not hold come out grey, so a picture missing only its end
// (or its last rows) still shows.
int Decompress(const std::uint8_t* data, std::size_t size, Target* target) {
  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = LeaveDecoder;
  errors.base.output_message = OutputNothing;
  if (setjmp(errors.jump)) {
    const int code = errors.base.msg_code;
    jpeg_destroy_decompress(&cinfo);
    return code;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  // Colour and grey pictures alike come out in the drawable layout; four-component ones fail
  // when decompression starts.
  cinfo.out_color_space = JCS_EXT_BGRA;
  std::size_t stride = 0;
  std::uint8_t* pixels = target->allocate(target, cinfo.image_width, cinfo.image_height, &stride);
  if (pixels == nullptr) {
    jpeg_destroy_decompress(&cinfo);
    return -1;
  }
  // The library's own buffers (whole-picture coefficients of progressive pictures) are held to
  // what the data can justify too.
  cinfo.mem->max_memory_to_use = static_cast<long>(std::uint64_t{cinfo.image_width} * cinfo.image_height * 8 + (1 << 20));
  jpeg_start_decompress(&cinfo);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = pixels + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return 0;
}

struct ImageTarget : Target {
  std::size_t length = 0;
  std::unique_ptr<Image> image;
};

std::uint8_t* AllocateImage(Target* self, JDIMENSION width, JDIMENSION height, std::size_t* stride) noexcept {
  auto* target = static_cast<ImageTarget*>(self);
  if (!Plausible(width, height, target->length, kPixelsPerByte)) return nullptr;
  try {
    target->image = std::make_unique<Image>();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  Image& image = *target->image;
  image.kind = kJpeg;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.bitmap = QImage(image.width, image.height, QImage::Format_RGB32);
  if (image.bitmap.isNull()) {
    target->image.reset();
    return nullptr;
  }
  *stride = static_cast<std::size_t>(image.bitmap.bytesPerLine());
  return image.bitmap.bits();
}

}  // namespace

std::unique_ptr<Image> DecodeJpeg(Bytes data, Refusal& why) {
  ImageTarget target;
  target.allocate = AllocateImage;
  target.length = data.size();
  switch (Decompress(data.data(), data.size(), &target)) {
    case 0: return std::move(target.image);
    case -1: return Refuse(why, RefusalKind::kTooLarge, "too large JPEG: larger than its data could describe");
    case JERR_NO_IMAGE: return Refuse(why, RefusalKind::kTruncated, "truncated JPEG: no image data");
    case JERR_CONVERSION_NOTIMPL:
    case JERR_BAD_J_COLORSPACE: return Refuse(why, RefusalKind::kUnsupported, "unsupported JPEG: colour space");
    case JERR_OUT_OF_MEMORY: return Refuse(why, RefusalKind::kTooLarge, "too large JPEG: out of memory");
    default: return Refuse(why, RefusalKind::kDamaged, "damaged JPEG: the data contradicts itself");
  }
}

}  // namespace imaging::detail

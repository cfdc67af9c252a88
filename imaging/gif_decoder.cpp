// The first image of a GIF file as a still picture: a packed 8-bit bitmap of the image's own
// size (of its whole rows, when the data stops early), on a logical screen of the picture's
// width and height.
#include <cstring>

#include "imaging/decoders.h"
#include "imaging/gif_frames.h"
#include "imaging/packed_dib.h"

namespace imaging::detail {

std::unique_ptr<Image> DecodeGif(Bytes data, Refusal& why) {
  GifReader reader(data);
  std::optional<GifFrame> frame = reader.Next();
  if (!frame) {
    why = reader.Why();
    return nullptr;
  }
  auto image = std::make_unique<Image>();
  image->kind = kGif;
  image->width = reader.Screen().width();
  image->height = reader.Screen().height();
  const std::size_t width = static_cast<std::size_t>(frame->rect.width());
  image->pixels = NewPackedDib(static_cast<int>(width), frame->rows);
  // A table of fewer than 256 colours leaves the later entries zero.
  std::uint8_t* palette = image->pixels.data() + kDibPaletteOffset;
  for (std::size_t i = 0; i < frame->palette.size() && i < 256; ++i) {
    palette[i * 4] = static_cast<std::uint8_t>(qBlue(frame->palette[i]));
    palette[i * 4 + 1] = static_cast<std::uint8_t>(qGreen(frame->palette[i]));
    palette[i * 4 + 2] = static_cast<std::uint8_t>(qRed(frame->palette[i]));
  }
  const std::size_t stride = DibStride(width);
  for (std::size_t row = 0; row < std::size_t(frame->rows); ++row)
    std::memcpy(image->pixels.data() + kDibPixelsOffset + row * stride, frame->indices.data() + row * width, width);
  return image;
}

}  // namespace imaging::detail

#pragma once
// The GIF container: logical screen, colour tables, graphic control blocks and images, each
// image decoded into palette indices. The still picture (the first image) and the animation
// player (every image) both read GIFs here, so damaged data means the same to both: an image
// whose data stops early keeps the whole rows it decoded from the top down, an image without
// a single whole row ends the frames, and nothing after data that cannot be read is used.
#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imaging/image.h"

namespace imaging {

struct GifFrame {
  QRect rect;                         // place on the logical screen; may reach past it
  std::vector<std::uint8_t> indices;  // rect.width() x rows palette indices, top row first
  int rows = 0;                       // whole rows the data held; the rows below are not drawn
  std::vector<QRgb> palette;          // the image's own colours, else the global ones
  int transparent = -1;               // palette index left undrawn, or -1
  int disposal = 0;                   // 2: background afterwards, 3: what was there before
  int delayMs = 50;
};

// Reads the images of GIF file bytes one after another. Sizes are checked against the data
// before anything is allocated, and all images together stay within the pixel budget of one
// large still picture.
class GifReader {
 public:
  explicit GifReader(std::span<const std::uint8_t> bytes);

  // The logical screen; empty when the header cannot be read (Why() says why).
  QSize Screen() const { return screen_; }
  // The next image with what the graphic control block before it said, or nothing at the
  // trailer, at the end of the data, or at data that cannot be read (Why() then says why, as it
  // does for data that ends before its first image).
  std::optional<GifFrame> Next();
  const Refusal& Why() const { return why_; }

 private:
  std::optional<GifFrame> Fail(RefusalKind kind, const char* text);

  std::span<const std::uint8_t> b_;
  std::size_t pos_ = 0;
  QSize screen_;
  std::vector<QRgb> global_;
  std::uint64_t pixels_ = 0;
  bool anyImage_ = false;
  Refusal why_;
};

struct GifAnimation {
  QSize screen;
  std::vector<GifFrame> frames;
};

// Every frame of GIF file bytes up to the first that cannot be read, or nothing (and why) when
// not even one can.
std::optional<GifAnimation> ReadGifFrames(std::span<const std::uint8_t> bytes, Refusal* why = nullptr);

}  // namespace imaging

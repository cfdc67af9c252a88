#pragma once
// Every frame of an animated GIF picture, and the composition of those frames onto the logical
// screen as they follow one another.
#include <QImage>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace units {

struct GifFrame {
  QRect rect;                     // place on the logical screen; may reach past it
  std::vector<uint8_t> indices;   // palette indices in stored row order
  int storedRows = 0;             // complete rows the data held; the rest is not drawn
  bool interlaced = false;
  std::vector<QRgb> palette;      // the frame's own colours, else the global ones
  int transparent = -1;           // palette index left undrawn, or -1
  int disposal = 0;               // 2: background afterwards, 3: what was there before
  int delayMs = 50;
};

struct GifAnimation {
  QSize screen;
  std::vector<GifFrame> frames;
};

// The frames of GIF file bytes up to the first one that cannot be read, or nothing when not even
// one can. Sizes are checked against the data before anything is allocated.
std::optional<GifAnimation> DecodeGifFrames(std::span<const uint8_t> bytes);

// Composes the frames one after another onto a canvas of the logical screen that starts filled
// with the background colour, applying each frame's transparency and disposal.
class GifComposer {
 public:
  GifComposer(const GifAnimation& animation, QRgb background);

  // The canvas with the next frame drawn: the first frame on a fresh canvas the first time and
  // after the last frame.
  const QImage& Next();
  // The frame that Next drew last.
  size_t Current() const { return current_; }

 private:
  void Draw(const GifFrame& frame);
  void Dispose(const GifFrame& frame);

  const GifAnimation& animation_;
  QRgb background_;
  QImage canvas_;
  QImage saved_;  // the area under a frame of disposal 3
  QRect savedRect_;
  size_t current_ = 0;
  bool started_ = false;
};

}  // namespace units

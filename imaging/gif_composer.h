#pragma once
// The composition of the frames of an animated GIF onto its logical screen as they follow one
// another.
#include <QImage>
#include <QRect>

#include <cstddef>

#include "imaging/gif_frames.h"

namespace imaging {

// Composes the frames one after another onto a canvas of the logical screen that starts filled
// with the background colour, applying each frame's transparency and disposal.
class GifComposer {
 public:
  GifComposer(const GifAnimation& animation, QRgb background);

  // The canvas with the next frame drawn: the first frame on a fresh canvas the first time and
  // after the last frame.
  const QImage& Next();
  // The frame that Next drew last.
  std::size_t Current() const { return current_; }

 private:
  void Draw(const GifFrame& frame);
  void Dispose(const GifFrame& frame);

  const GifAnimation& animation_;
  QRgb background_;
  QImage canvas_;
  QImage saved_;  // the area under a frame of disposal 3
  QRect savedRect_;
  std::size_t current_ = 0;
  bool started_ = false;
};

}  // namespace imaging

#include "imaging/gif_composer.h"

#include <algorithm>
#include <cstring>

namespace imaging {

GifComposer::GifComposer(const GifAnimation& animation, QRgb background)
    : animation_(animation), background_(background), canvas_(animation.screen, QImage::Format_RGB32) {}

const QImage& GifComposer::Next() {
  if (started_) {
    Dispose(animation_.frames[current_]);
    current_ = (current_ + 1) % animation_.frames.size();
  }
  started_ = true;
  if (current_ == 0) canvas_.fill(background_);
  Draw(animation_.frames[current_]);
  return canvas_;
}

void GifComposer::Draw(const GifFrame& frame) {
  const QRect visible = frame.rect & canvas_.rect();
  if (frame.disposal == 3) {
    saved_ = canvas_.copy(visible);
    savedRect_ = visible;
  }
  const int width = frame.rect.width();
  for (int row = 0; row < frame.rows; ++row) {
    const int y = frame.rect.top() + row;
    if (y < visible.top() || y > visible.bottom()) continue;
    const std::uint8_t* in = frame.indices.data() + std::size_t(row) * std::size_t(width);
    auto* out = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
    for (int x = visible.left(); x <= visible.right(); ++x) {
      const int index = in[x - frame.rect.left()];
      if (index == frame.transparent) continue;
      out[x] = std::size_t(index) < frame.palette.size() ? frame.palette[index] : qRgb(0, 0, 0);
    }
  }
}

void GifComposer::Dispose(const GifFrame& frame) {
  if (frame.disposal == 2) {
    const QRect visible = frame.rect & canvas_.rect();
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
      std::fill(line + visible.left(), line + visible.right() + 1, background_);
    }
  } else if (frame.disposal == 3 && !saved_.isNull()) {
    for (int y = 0; y < saved_.height(); ++y)
      std::memcpy(canvas_.scanLine(savedRect_.top() + y) + savedRect_.left() * sizeof(QRgb), saved_.constScanLine(y),
                  std::size_t(saved_.width()) * sizeof(QRgb));
  }
}

}  // namespace imaging

#include "units/window/window_background.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>

#include "imaging/picture_cache.h"
#include "platform/colors.h"
#include "units/window/window_unit.h"

namespace units {

QRect PictureRect(int mode, QSize client, QSize picture) {
  switch (static_cast<PictureMode>(mode)) {
    case PictureMode::kTopLeft: return QRect(QPoint(0, 0), picture);
    case PictureMode::kStretched: return QRect(QPoint(0, 0), client);
    case PictureMode::kCentred: {
      QSize drawn = picture;
      if (picture.width() > client.width() || picture.height() > client.height()) {
        double factor = std::min(static_cast<double>(client.width()) / picture.width(),
                                 static_cast<double>(client.height()) / picture.height());
        drawn = QSize(static_cast<int>(picture.width() * factor), static_cast<int>(picture.height() * factor));
      }
      return QRect(QPoint((client.width() - drawn.width()) / 2, (client.height() - drawn.height()) / 2), drawn);
    }
    case PictureMode::kTiled: break;
  }
  return QRect(QPoint(0, 0), picture);
}

const imaging::Image* WindowBackground::Decoded(std::span<const uint8_t> picture) {
  if (!decodeTried_) {
    decodeTried_ = true;
    decoded_ = picture.empty() ? nullptr : imaging::DecodeImage(picture.data(), static_cast<int64_t>(picture.size()));
    if (decoded_ && (decoded_->width <= 0 || decoded_->height <= 0)) decoded_.reset();
  }
  return decoded_.get();
}

void WindowBackground::Paint(QPainter& painter, const QRect& clip, QSize client, uint32_t color, int mode,
                             std::span<const uint8_t> picture, std::span<const uint8_t> source) {
  if (clip.isEmpty()) return;
  QRegion fill(clip);
  imaging::PreparedImage prepared;
  const uint32_t preparedAgainst = color == platform::kDefaultColor
                                       ? platform::ToColorRef(platform::BackgroundColor(color))
                                       : color;
  bool ready = false;
  if (imaging::IsLasting(source)) {
    ready = imaging::PreparedPicture(source, preparedAgainst, &prepared);
    prepared.dc = &painter;
  } else if (const imaging::Image* image = Decoded(picture)) {
    ready = imaging::PrepareImage(&painter, *image, preparedAgainst, &prepared);
  }
  if (ready && prepared.width > 0 && prepared.height > 0) {
    const QSize size(prepared.width, prepared.height);
    if (static_cast<PictureMode>(mode) == PictureMode::kTiled) {
      for (int y = 0; y < client.height(); y += size.height())
        for (int x = 0; x < client.width(); x += size.width())
          if (clip.intersects(QRect(QPoint(x, y), size)))
            imaging::DrawPrepared(prepared, x, y, -1, -1, imaging::SRCCOPY);
      fill = QRegion();
    } else {
      QRect at = PictureRect(mode, client, size);
      bool natural = at.size() == size;
      imaging::DrawPrepared(prepared, at.x(), at.y(), natural ? -1 : at.width(), natural ? -1 : at.height(),
                            imaging::SRCCOPY);
      fill -= at;
    }
    imaging::ReleasePrepared(&prepared);
  }
  const QColor brush = platform::BackgroundColor(color);
  for (const QRect& r : fill) painter.fillRect(r, brush);
}

}  // namespace units

// Turning a decoded image into an opaque bitmap ready to draw, and the conveniences built on it.
#include <cstring>

#include <QPainter>

#include "imaging/bytes.h"
#include "imaging/image.h"
#include "imaging/packed_dib.h"

namespace imaging {
namespace {

QRgb ToRgb(COLORREF colour) { return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

// JPEG, BMP and PCX pictures, and PNG pictures without transparency, are drawn as decoded: the
// prepared bitmap shares their pixels.
QImage Opaque(const Image& image) {
  const bool opaque = image.bitmap.format() != QImage::Format_ARGB32 && !image.bitmap.isNull();
  return opaque && image.bitmap.size() == QSize(image.width, image.height) ? image.bitmap : QImage();
}

// Each channel v of a pixel with alpha a below 255 becomes a/255 * v + (1 - a/255) * c, with c
// the background's channel, truncated. Integer arithmetic keeps that exact: alpha 128 over
// white gives 127, where floating point can land just below it. The result never leaves 0..255.
QImage BlendedOver(const Image& image, COLORREF background) {
  const QImage& straight = image.bitmap;
  if (straight.format() != QImage::Format_ARGB32) return Opaque(image);
  if (straight.size() != QSize(image.width, image.height)) return {};
  QImage bitmap(image.width, image.height, QImage::Format_RGB32);
  if (bitmap.isNull()) return {};
  const unsigned back[3] = {(background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF};
  const QRgb backPixel = ToRgb(background);
  for (int y = 0; y < image.height; ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(straight.constScanLine(y));
    auto* out = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
    // Most rows of most pictures are wholly opaque: those are copied as they are.
    QRgb all = 0xFFFFFFFFu;
    for (int x = 0; x < image.width; ++x) all &= in[x];
    if (all >> 24 == 0xFF) {
      std::memcpy(out, in, std::size_t(image.width) * sizeof(QRgb));
      continue;
    }
    for (int x = 0; x < image.width; ++x) {
      const QRgb pixel = in[x];
      const unsigned alpha = pixel >> 24;
      if (alpha == 255) {
        out[x] = pixel;
      } else if (alpha == 0) {
        out[x] = backPixel;
      } else {
        QRgb blended = 0xFF000000u;
        for (unsigned c = 0; c < 3; ++c) {  // blue, green, red
          const unsigned v = (pixel >> (8 * c)) & 0xFF;
          blended |= (alpha * v + (255 - alpha) * back[c]) / 255 << (8 * c);
        }
        out[x] = blended;
      }
    }
  }
  return bitmap;
}

// The first GIF frame goes to the top-left corner of its logical screen; whatever of the
// screen the frame leaves uncovered shows the background.
QImage FromGifFrame(const Image& image, COLORREF background) {
  const QImage frame = detail::PackedDibToImage(image.pixels);
  if (frame.isNull() || image.width <= 0 || image.height <= 0) return {};
  QImage bitmap(image.width, image.height, QImage::Format_RGB32);
  if (bitmap.isNull()) return {};
  bitmap.fill(ToRgb(background));
  QPainter painter(&bitmap);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, frame);
  return bitmap;
}

}  // namespace

bool PrepareImage(QPainter* dc, const Image& image, COLORREF background, PreparedImage* out) {
  if (out == nullptr) return false;
  PreparedImage prepared;
  prepared.dc = dc;
  prepared.kind = image.kind;
  prepared.width = image.width;
  prepared.height = image.height;
  switch (image.kind) {
    case kIco:
    case kCur: prepared.icon = image.icon; break;
    case kGif: prepared.bitmap = FromGifFrame(image, background); break;
    case kPng: prepared.bitmap = BlendedOver(image, background); break;
    case kJpeg:
    case kBmp:
    case kPcx8:
    case kPcx1:
    case kNotPicture: prepared.bitmap = Opaque(image); break;
  }
  if (prepared.icon.isNull() && prepared.bitmap.isNull()) return false;
  *out = std::move(prepared);
  return true;
}

void ReleasePrepared(PreparedImage* prepared) {
  if (prepared != nullptr) *prepared = PreparedImage{};
}

bool DrawImage(const Image& image, QPainter* dc, int x, int y, int width, int height, COLORREF background) {
  PreparedImage prepared;
  if (!PrepareImage(dc, image, background, &prepared)) return false;
  const bool drawn = DrawPrepared(prepared, x, y, width, height, SRCCOPY);
  ReleasePrepared(&prepared);
  return drawn;
}

QImage ImageToBitmap(const std::uint8_t* bytes, std::int64_t length, COLORREF background) {
  const std::unique_ptr<Image> image = DecodeImage(bytes, length);
  if (!image) return {};
  if (image->kind == kIco || image->kind == kCur) {
    QImage bitmap(image->width, image->height, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.drawImage(0, 0, image->icon);
    return bitmap;
  }
  PreparedImage prepared;
  if (!PrepareImage(nullptr, *image, background, &prepared)) return {};
  return prepared.bitmap.convertToFormat(QImage::Format_RGB32);
}

}  // namespace imaging

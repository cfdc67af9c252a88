// Drawing a prepared image on a painter, with raster operations mapped onto the painter's
// composition modes.
#include <optional>

#include <QPaintDevice>
#include <QPainter>

#include "imaging/image.h"

namespace imaging {
namespace {

std::optional<QPainter::CompositionMode> ModeOf(std::int32_t rop) {
  switch (rop) {
    case SRCCOPY: return QPainter::CompositionMode_SourceOver;  // the bitmap is opaque
    case SRCPAINT: return QPainter::RasterOp_SourceOrDestination;
    case SRCAND: return QPainter::RasterOp_SourceAndDestination;
    case SRCINVERT: return QPainter::RasterOp_SourceXorDestination;
    case SRCERASE: return QPainter::RasterOp_SourceAndNotDestination;
    case NOTSRCCOPY: return QPainter::RasterOp_NotSource;
    case NOTSRCERASE: return QPainter::RasterOp_NotSourceAndNotDestination;
    case MERGEPAINT: return QPainter::RasterOp_NotSourceOrDestination;
    case DSTINVERT: return QPainter::RasterOp_NotDestination;
    case BLACKNESS: return QPainter::RasterOp_ClearDestination;
    case WHITENESS: return QPainter::RasterOp_SetDestination;
    default: return std::nullopt;
  }
}

// The bitmap with every pixel of colour `key` made fully transparent.
QImage WithColourKey(const QImage& bitmap, COLORREF key) {
  QImage keyed = bitmap.convertToFormat(QImage::Format_ARGB32);
  const QRgb transparent = qRgb(key & 0xFF, (key >> 8) & 0xFF, (key >> 16) & 0xFF);
  for (int y = 0; y < keyed.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x)
      if (line[x] == transparent) line[x] = 0;
  }
  return keyed;
}

}  // namespace

bool DrawPrepared(const PreparedImage& prepared, int x, int y, int width, int height, std::int32_t rop) {
  QPainter* dc = prepared.dc;
  if (dc == nullptr || !dc->isActive()) return false;
  const bool icon = prepared.kind == kIco || prepared.kind == kCur;
  const QImage& source = icon ? prepared.icon : prepared.bitmap;
  if (source.isNull()) return false;
  const QRect target = width == -1 || height == -1 ? QRect(x, y, source.width(), source.height())
                                                   : QRect(x, y, width, height);
  if (target.isEmpty()) return false;

  std::optional<QPainter::CompositionMode> mode = QPainter::CompositionMode_SourceOver;
  QImage keyed;
  if (!icon && rop < 0) {
    if (rop < -0xFFFFFF) return false;
    keyed = WithColourKey(source, static_cast<COLORREF>(-rop));
  } else if (!icon) {
    mode = ModeOf(rop);
    if (!mode) return false;
  }
  dc->save();
  dc->setCompositionMode(*mode);
  if (target.size() == source.size()) {
    // At natural size the picture is copied as it is, without the smoothing hint that would
    // send it through the painter's (threaded) blending instead.
    dc->drawImage(target.topLeft(), keyed.isNull() ? source : keyed);
  } else {
    // Smooth stretching only pays on a device that can show the in-between colours.
    dc->setRenderHint(QPainter::SmoothPixmapTransform, dc->device() != nullptr && dc->device()->depth() > 16);
    dc->drawImage(target, keyed.isNull() ? source : keyed);
  }
  dc->restore();
  return true;
}

}  // namespace imaging

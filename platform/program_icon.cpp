#include "platform/program_icon.h"

#include <QPainter>

namespace platform {

QPixmap ProgramIcon(int size) {
  // A rounded amber tile with a dark "Q": readable at 16 pixels, no file needed.
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xE8, 0xA3, 0x17));
  qreal radius = size / 5.0;
  painter.drawRoundedRect(QRectF(0, 0, size, size), radius, radius);
  QPen pen(QColor(0x3A, 0x24, 0x08));
  pen.setWidthF(size / 8.0);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  QRectF ring(size * 0.22, size * 0.2, size * 0.56, size * 0.56);
  painter.drawEllipse(ring);
  painter.drawLine(QPointF(size * 0.58, size * 0.62), QPointF(size * 0.8, size * 0.84));
  return pixmap;
}

}  // namespace platform

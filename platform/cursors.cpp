#include "platform/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace platform {

std::optional<QCursor> SystemCursor(int32_t id) {
  switch (id) {
    case 32512: return QCursor(Qt::ArrowCursor);
    case 32513: return QCursor(Qt::IBeamCursor);
    case 32514: return QCursor(Qt::WaitCursor);
    case 32515: return QCursor(Qt::CrossCursor);
    case 32516: return QCursor(Qt::UpArrowCursor);
    case 32642: return QCursor(Qt::SizeFDiagCursor);
    case 32643: return QCursor(Qt::SizeBDiagCursor);
    case 32644: return QCursor(Qt::SizeHorCursor);
    case 32645: return QCursor(Qt::SizeVerCursor);
    case 32646: return QCursor(Qt::SizeAllCursor);
    case 32648: return QCursor(Qt::ForbiddenCursor);
    case 32649: return HandCursor();
    case 32650: return QCursor(Qt::BusyCursor);
    case 32651: return QCursor(Qt::WhatsThisCursor);
    default: return std::nullopt;
  }
}

QCursor HandCursor() {
  static const QCursor cursor = [] {
    // A white hand with a black outline, the index finger pointing up with its tip at (6, 1).
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath hand;
    hand.moveTo(5, 2);
    hand.lineTo(5, 1);
    hand.lineTo(7, 1);
    hand.lineTo(8, 2);
    hand.lineTo(8, 9);
    hand.lineTo(11, 8);
    hand.lineTo(14, 9);
    hand.lineTo(17, 10);
    hand.lineTo(19, 12);
    hand.lineTo(19, 18);
    hand.lineTo(17, 22);
    hand.lineTo(9, 22);
    hand.lineTo(4, 16);
    hand.lineTo(2, 13);
    hand.lineTo(3, 12);
    hand.lineTo(5, 13);
    hand.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    painter.drawLine(11, 9, 11, 14);
    painter.drawLine(14, 10, 14, 14);
    return QCursor(pixmap, 6, 1);
  }();
  return cursor;
}

}  // namespace platform

#include "units/picbox/edge_style.h"

#include <QPainter>

#include "platform/colors.h"

namespace units {
namespace {

using platform::SystemColor;

// One ring of an edge, one pixel wide, along the inside of `r`.
void Ring(QPainter& painter, const QRect& r, const QColor& light, const QColor& dark) {
  painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), light);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), light);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), dark);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), dark);
}

void Ring(QPainter& painter, const QRect& r, SystemColor topLeft, SystemColor bottomRight) {
  Ring(painter, r, platform::SystemColorOf(topLeft), platform::SystemColorOf(bottomRight));
}

// The sunken edge of a client area, two rings.
QRect Sunken(QPainter& painter, QRect r) {
  Ring(painter, r, SystemColor::kButtonShadow, SystemColor::kButtonHighlight);
  r.adjust(1, 1, -1, -1);
  Ring(painter, r, SystemColor::kDarkShadow, SystemColor::kButtonLight);
  return r.adjusted(1, 1, -1, -1);
}

// The raised frame of a dialog, two rings and a ring of button face.
QRect Raised(QPainter& painter, QRect r) {
  Ring(painter, r, SystemColor::kButtonLight, SystemColor::kDarkShadow);
  r.adjust(1, 1, -1, -1);
  Ring(painter, r, SystemColor::kButtonHighlight, SystemColor::kButtonShadow);
  r.adjust(1, 1, -1, -1);
  Ring(painter, r, SystemColor::kButtonFace, SystemColor::kButtonFace);
  return r.adjusted(1, 1, -1, -1);
}

}  // namespace

int EdgeWidth(int32_t style) {
  switch (style) {
    case 1: return 2;
    case 2: return 3;
    case 3: return 1;
    case 4: return 5;
    case 5: return 1;
    default: return 0;
  }
}

void DrawEdge(QPainter& painter, const QRect& rect, int32_t style) {
  if (rect.width() < 2 || rect.height() < 2) return;
  switch (style) {
    case 1: Sunken(painter, rect); break;
    case 2: Raised(painter, rect); break;
    case 3: Ring(painter, rect, SystemColor::kButtonShadow, SystemColor::kButtonHighlight); break;
    case 4: Sunken(painter, Raised(painter, rect)); break;
    case 5: Ring(painter, rect, QColor(Qt::black), QColor(Qt::black)); break;
    default: break;
  }
}

void DrawEtchedFrame(QPainter& painter, const QRect& rect) {
  if (rect.width() < 4 || rect.height() < 4) return;
  Ring(painter, rect, SystemColor::kButtonShadow, SystemColor::kButtonHighlight);
  Ring(painter, rect.adjusted(1, 1, -1, -1), SystemColor::kButtonHighlight, SystemColor::kButtonShadow);
}

}  // namespace units

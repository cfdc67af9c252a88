#include "platform/edge_painter.h"

#include <QPainter>

#include "platform/colors.h"

namespace platform {
namespace {

// One ring in system colours.
QRect Ring(QPainter& painter, const QRect& rect, SystemColor topLeft, SystemColor bottomRight) {
  return DrawRing(painter, rect, SystemColorOf(topLeft), SystemColorOf(bottomRight));
}

}  // namespace

int EdgeWidth(Edge edge) {
  switch (edge) {
    case Edge::kStatic:
    case Edge::kShallowRaised: return 1;
    case Edge::kSunken:
    case Edge::kButton:
    case Edge::kEtched: return 2;
    case Edge::kModalFrame: return 3;
  }
  return 0;
}

QRect DrawEdge(QPainter& painter, const QRect& rect, Edge edge) {
  using enum SystemColor;
  QRect r = rect;
  switch (edge) {
    case Edge::kSunken:
      r = Ring(painter, r, kButtonShadow, kButtonHighlight);
      return Ring(painter, r, kDarkShadow, kButtonLight);
    case Edge::kStatic: return Ring(painter, r, kButtonShadow, kButtonHighlight);
    case Edge::kShallowRaised: return Ring(painter, r, kButtonHighlight, kButtonShadow);
    case Edge::kButton:
      r = Ring(painter, r, kButtonHighlight, kDarkShadow);
      return Ring(painter, r, kButtonLight, kButtonShadow);
    case Edge::kModalFrame:
      r = Ring(painter, r, kButtonLight, kDarkShadow);
      r = Ring(painter, r, kButtonHighlight, kButtonShadow);
      return Ring(painter, r, kButtonFace, kButtonFace);
    case Edge::kEtched:
      r = Ring(painter, r, kButtonShadow, kButtonHighlight);
      return Ring(painter, r, kButtonHighlight, kButtonShadow);
  }
  return r;
}

QRect DrawRing(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  if (r.width() < 1 || r.height() < 1) return r;
  if (r.width() > 1) painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
  if (r.height() > 1) painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
  return r.adjusted(1, 1, -1, -1);
}

}  // namespace platform

#include "units/editbox/edit_border.h"

#include <QPainter>
#include <QRect>

#include "platform/colors.h"

namespace units::editbox {
namespace {

using platform::SystemColor;
using platform::SystemColorOf;

// One ring of a frame, one pixel wide: `topLeft` along the top and left, `bottomRight` along
// the bottom and right. Answers the rectangle inside it.
QRect Ring(QPainter& p, const QRect& r, SystemColor topLeft, SystemColor bottomRight) {
  if (r.width() < 1 || r.height() < 1) return r;
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), SystemColorOf(topLeft));
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), SystemColorOf(topLeft));
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), SystemColorOf(bottomRight));
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), SystemColorOf(bottomRight));
  return r.adjusted(1, 1, -1, -1);
}

QRect Sunken(QPainter& p, QRect r) {
  r = Ring(p, r, SystemColor::kButtonShadow, SystemColor::kButtonHighlight);
  return Ring(p, r, SystemColor::kDarkShadow, SystemColor::kButtonLight);
}

// The raised double edge of a dialog frame, then a ring of the button face.
QRect Raised(QPainter& p, QRect r) {
  r = Ring(p, r, SystemColor::kButtonLight, SystemColor::kDarkShadow);
  r = Ring(p, r, SystemColor::kButtonHighlight, SystemColor::kButtonShadow);
  return Ring(p, r, SystemColor::kButtonFace, SystemColor::kButtonFace);
}

}  // namespace

int BorderWidth(int32_t style) {
  switch (style) {
    case 1: return 2;
    case 2: return 3;
    case 3: return 1;
    case 4: return 5;
    case 5: return 1;
    default: return 0;
  }
}

void DrawBorder(QPainter& p, const QRect& rect, int32_t style) {
  switch (style) {
    case 1: Sunken(p, rect); break;
    case 2: Raised(p, rect); break;
    case 3: Ring(p, rect, SystemColor::kButtonShadow, SystemColor::kButtonHighlight); break;
    case 4: Sunken(p, Raised(p, rect)); break;
    case 5: Ring(p, rect, SystemColor::kWindowText, SystemColor::kWindowText); break;
    default: break;
  }
}

}  // namespace units::editbox

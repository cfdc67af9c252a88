#pragma once
// The classic 3D edges, drawn in the system colours one pixel-wide ring at a time along the
// inside of a rectangle. In every ring the bottom and right sides take the corners they share
// with the top and left ones, so a sunken edge looks lit from the top left.
#include <QRect>

class QColor;
class QPainter;

namespace platform {

enum class Edge {
  kSunken,         // a client area's edge: shadow, then dark shadow, above and left
  kStatic,         // one sunken ring: shadow above and left, highlight below and right
  kShallowRaised,  // one raised ring: highlight above and left, shadow below and right
  kButton,         // a push button's raised edge: highlight, then light, above and left
  kModalFrame,     // a dialog's raised frame: a raised edge, then a ring of button face
  kEtched,         // a groove: a shadow ring with a highlight ring inside it
};

// Pixels `edge` takes on each side.
int EdgeWidth(Edge edge);

// Draws `edge` along the inside of `rect`; answers the rectangle inside it. Rings that would be
// empty are left out.
QRect DrawEdge(QPainter& painter, const QRect& rect, Edge edge);

// One ring: `topLeft` along the top and left, `bottomRight` along the bottom and right. Nothing
// is drawn for an empty rectangle. Answers the rectangle inside the ring.
QRect DrawRing(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight);

}  // namespace platform

#pragma once
// The outline of a shaped window as a region of its rectangle.
#include <QRegion>

namespace units {

constexpr int kShapeCount = 30;  // 0 (no outline) to 29
// The outlines that have a name in forms; the polygons 4 to 29 are known by number.
inline constexpr const char* kShapeNames[] = {"Rectangle", "Ellipse", "RoundedRectangle", "Ring"};

// The region of outline `shape` (1 to 29) over a width x height rectangle with its corner at
// (0, 0); an empty region for 0 or an unknown shape, which means "no outline".
QRegion ShapeRegion(int shape, int width, int height);

}  // namespace units

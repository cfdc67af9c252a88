#pragma once
// The edges a unit can wear around its client area, the same on every unit type that has a
// border style (edit box, picture box, hyperlink box, web browser box), and the group box's
// etched frame. Edge styles: 0 none, 1 sunken, 2 raised, 3 shallow, 4 sunken inside raised, 5 a
// single line. The edge takes room inside the widget, so the client area is the widget less the
// edge on every side.
#include <QRect>

#include <cstdint>

class QPainter;

namespace units {

constexpr int32_t kMaxEdgeStyle = 5;
// The edge styles' names in forms, by value.
inline constexpr const char* kEdgeStyleNames[] = {"None", "Sunken", "Raised", "Shallow", "SunkenInRaised", "SingleLine"};

// Pixels the edge of `style` takes on each side; 0 for a style outside 0..5.
int EdgeWidth(int32_t style);

// Draws the edge of `style` along the inside of `rect`.
void DrawEdge(QPainter& painter, const QRect& rect, int32_t style);

// An etched line along the inside of `rect`, as a group box frames its units: a shadow line with a
// highlight line inside it.
void DrawEtchedFrame(QPainter& painter, const QRect& rect);

}  // namespace units

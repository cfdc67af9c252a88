#pragma once
// The six border styles of an edit box, drawn in the classic desktop colours the forms were
// designed against.
#include <cstdint>

class QPainter;
class QRect;

namespace units::editbox {

// 0 none, 1 sunken, 2 raised, 3 shallow, 4 raised outside and sunken inside, 5 a single line.
int BorderWidth(int32_t style);
void DrawBorder(QPainter& painter, const QRect& rect, int32_t style);

}  // namespace units::editbox

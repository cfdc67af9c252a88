#pragma once
// The mark that shows which unit has the keyboard focus. A window shows it only once the keyboard
// has been used in it (Tab, an arrow, a mnemonic, Enter, Space): as long as only the mouse is
// used, every unit looks as it always has.
#include <QRect>

class QPainter;
class QWidget;

namespace units {

// Whether `widget` has the focus and its window shows where the focus is.
bool ShowsFocusMark(const QWidget* widget);

// A dotted rectangle along the inside of `rect` that inverts every other pixel, so it shows on any
// face.
void DrawFocusMark(QPainter& painter, const QRect& rect);

}  // namespace units

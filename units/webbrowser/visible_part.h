#pragma once
// The part of a widget its window shows: a box may overhang its window, whose client area crops
// it. Taken from the geometry, so it holds before the window is first shown.
#include <QRect>
#include <QWidget>

namespace units::webbrowser {

inline QRect VisiblePart(QWidget* widget) {
  QWidget* window = widget->window();
  if (window == widget) return widget->rect();
  const QPoint offset = widget->mapTo(window, QPoint(0, 0));
  const QRect visible = QRect(offset, widget->size()).intersected(window->rect()).translated(-offset);
  return visible.isEmpty() ? widget->rect() : visible;
}

}  // namespace units::webbrowser

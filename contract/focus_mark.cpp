#include "contract/focus_mark.h"

#include <QPainter>
#include <QWidget>

#include "contract/live_window.h"

namespace units {

bool ShowsFocusMark(const QWidget* widget) {
  if (widget == nullptr || !widget->hasFocus()) return false;
  const auto* live = dynamic_cast<const LiveWindow*>(widget->window());
  return live != nullptr && live->keyboardCues;
}

void DrawFocusMark(QPainter& painter, const QRect& rect) {
  const int l = rect.left(), t = rect.top(), r = rect.right() + 1, b = rect.bottom() + 1;
  if (r - l < 1 || b - t < 1) return;
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  auto dot = [&painter](int x, int y) {
    if ((x + y) % 2 == 0) painter.fillRect(x, y, 1, 1, Qt::white);
  };
  for (int x = l; x < r; ++x) {
    dot(x, t);
    if (b - 1 > t) dot(x, b - 1);
  }
  for (int y = t + 1; y < b - 1; ++y) {
    dot(l, y);
    if (r - 1 > l) dot(r - 1, y);
  }
  painter.restore();
}

}  // namespace units

#include "contract/edge_style.h"

#include <QPainter>

#include "platform/colors.h"
#include "platform/edge_painter.h"

namespace units {

using platform::Edge;

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
  switch (style) {
    case 1: platform::DrawEdge(painter, rect, Edge::kSunken); break;
    case 2: platform::DrawEdge(painter, rect, Edge::kModalFrame); break;
    case 3: platform::DrawEdge(painter, rect, Edge::kStatic); break;
    case 4: platform::DrawEdge(painter, platform::DrawEdge(painter, rect, Edge::kModalFrame), Edge::kSunken); break;
    case 5: {
      const QColor line = platform::SystemColorOf(platform::SystemColor::kWindowText);
      platform::DrawRing(painter, rect, line, line);
      break;
    }
    default: break;
  }
}

void DrawEtchedFrame(QPainter& painter, const QRect& rect) {
  if (rect.width() < 4 || rect.height() < 4) return;
  platform::DrawEdge(painter, rect, Edge::kEtched);
}

}  // namespace units

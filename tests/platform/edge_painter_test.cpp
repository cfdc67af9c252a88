#include "platform/edge_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/colors.h"

namespace {

using platform::Edge;
using platform::SystemColor;

constexpr QRgb kUntouched = 0xFF010203;

struct Ring {
  SystemColor topLeft, bottomRight;
};

struct EdgeLook {
  Edge edge;
  std::vector<Ring> rings;  // outermost first
};

const std::vector<EdgeLook>& Looks() {
  using enum SystemColor;
  static const std::vector<EdgeLook> looks = {
      {Edge::kSunken, {{kButtonShadow, kButtonHighlight}, {kDarkShadow, kButtonLight}}},
      {Edge::kStatic, {{kButtonShadow, kButtonHighlight}}},
      {Edge::kShallowRaised, {{kButtonHighlight, kButtonShadow}}},
      {Edge::kButton, {{kButtonHighlight, kDarkShadow}, {kButtonLight, kButtonShadow}}},
      {Edge::kModalFrame,
       {{kButtonLight, kDarkShadow}, {kButtonHighlight, kButtonShadow}, {kButtonFace, kButtonFace}}},
      {Edge::kEtched, {{kButtonShadow, kButtonHighlight}, {kButtonHighlight, kButtonShadow}}},
  };
  return looks;
}

// What logical pixel (x, y) should show: a pixel of the rectangle belongs to the ring as deep as
// its distance to the nearest side, and takes the bottom-right colour when it lies on that ring's
// bottom or right side.
QRgb Expected(const EdgeLook& look, const QRect& rect, int x, int y) {
  if (!rect.contains(x, y)) return kUntouched;
  const int fromRight = rect.right() - x, fromBottom = rect.bottom() - y;
  const int depth = std::min({x - rect.left(), y - rect.top(), fromRight, fromBottom});
  if (depth >= static_cast<int>(look.rings.size())) return kUntouched;
  const Ring& ring = look.rings[static_cast<size_t>(depth)];
  const bool bottomRight = fromRight == depth || fromBottom == depth;
  return platform::SystemColorOf(bottomRight ? ring.bottomRight : ring.topLeft).rgba();
}

// Draws `look` on `rect` in an image `ratio` device pixels to a pixel; answers the first device
// pixel that differs from what it should be, or an empty text.
std::string Mismatch(const EdgeLook& look, const QRect& rect, int ratio, QRect* inner = nullptr) {
  QImage image(16 * ratio, 14 * ratio, QImage::Format_ARGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(kUntouched);
  {
    QPainter painter(&image);
    const QRect answered = platform::DrawEdge(painter, rect, look.edge);
    if (inner != nullptr) *inner = answered;
  }
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != Expected(look, rect, x / ratio, y / ratio)) {
        return "device pixel " + std::to_string(x) + "," + std::to_string(y) + " of a " +
               std::to_string(rect.width()) + "x" + std::to_string(rect.height()) + " edge " +
               std::to_string(static_cast<int>(look.edge));
      }
    }
  }
  return {};
}

TEST(EdgePainter, EachEdgeDrawsItsRingsAndAnswersTheRectangleInside) {
  const QRect rect(2, 3, 11, 9);
  for (const EdgeLook& look : Looks()) {
    QRect inner;
    EXPECT_EQ(Mismatch(look, rect, 1, &inner), "");
    const int width = platform::EdgeWidth(look.edge);
    EXPECT_EQ(width, static_cast<int>(look.rings.size()));
    EXPECT_EQ(inner, rect.adjusted(width, width, -width, -width));
  }
}

// Rectangles narrower than the edge, down to empty ones: rings that do not fit are left out,
// and nothing is drawn outside the rectangle.
TEST(EdgePainter, SmallRectanglesKeepTheEdgeInside) {
  for (const EdgeLook& look : Looks()) {
    for (int width = 0; width <= 6; ++width) {
      for (int height = 0; height <= 6; ++height) {
        EXPECT_EQ(Mismatch(look, QRect(4, 4, width, height), 1), "");
      }
    }
  }
}

// On a screen with two device pixels to a pixel every ring covers both device pixels of its
// line, from the rectangle's first device pixel to its last.
TEST(EdgePainter, ScaledScreensCoverTheRectangleExactly) {
  for (const EdgeLook& look : Looks()) EXPECT_EQ(Mismatch(look, QRect(1, 1, 9, 7), 2), "");
}

TEST(EdgePainter, RingsTakeAnyColours) {
  QImage image(6, 5, QImage::Format_ARGB32);
  image.fill(kUntouched);
  QPainter painter(&image);
  EXPECT_EQ(platform::DrawRing(painter, QRect(1, 1, 4, 3), Qt::red, Qt::blue), QRect(2, 2, 2, 1));
  painter.end();
  EXPECT_EQ(image.pixel(1, 1), QColor(Qt::red).rgba());
  EXPECT_EQ(image.pixel(1, 2), QColor(Qt::red).rgba());
  EXPECT_EQ(image.pixel(4, 1), QColor(Qt::blue).rgba());  // the corners the sides share go to
  EXPECT_EQ(image.pixel(1, 3), QColor(Qt::blue).rgba());  // the bottom and right
  EXPECT_EQ(image.pixel(2, 2), kUntouched);
}

}  // namespace

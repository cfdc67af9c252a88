#pragma once
// GIF files for the picture box tests: a 4-colour palette and frames written with literal LZW
// codes only (a clear code before every two pixels keeps the codes 3 bits wide).
#include <QRect>

#include <cstdint>
#include <vector>

namespace picbox_test {

struct TestFrame {
  QRect rect;
  std::vector<uint8_t> indices;  // rect.width() * rect.height(), row by row
  int transparent = -1;
  int disposal = 0;
  int delayHundredths = 1;
};

// Palette: 0 red, 1 green, 2 blue, 3 white.
std::vector<uint8_t> BuildGif(int width, int height, const std::vector<TestFrame>& frames);

// A frame of one index everywhere.
TestFrame SolidFrame(QRect rect, uint8_t index, int disposal = 0, int delayHundredths = 1);

}  // namespace picbox_test

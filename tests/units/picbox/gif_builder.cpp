#include "tests/units/picbox/gif_builder.h"

#include <algorithm>
#include <cstring>

namespace picbox_test {
namespace {

void Put16(std::vector<uint8_t>& out, int v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

// Minimum code size 2: clear 4, end 5, 3-bit codes.
std::vector<uint8_t> Lzw(const std::vector<uint8_t>& indices) {
  std::vector<uint8_t> bytes;
  uint32_t buffer = 0;
  int bits = 0;
  auto emit = [&](unsigned code) {
    buffer |= code << bits;
    bits += 3;
    while (bits >= 8) {
      bytes.push_back(static_cast<uint8_t>(buffer));
      buffer >>= 8;
      bits -= 8;
    }
  };
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % 2 == 0) emit(4);
    emit(indices[i]);
  }
  emit(5);
  if (bits > 0) bytes.push_back(static_cast<uint8_t>(buffer));
  return bytes;
}

}  // namespace

std::vector<uint8_t> BuildGif(int width, int height, const std::vector<TestFrame>& frames) {
  std::vector<uint8_t> out(6);
  std::memcpy(out.data(), "GIF89a", 6);
  Put16(out, width);
  Put16(out, height);
  out.insert(out.end(), {0x81, 0, 0});  // global table of 4 entries
  out.insert(out.end(), {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
  for (const TestFrame& f : frames) {
    out.insert(out.end(), {0x21, 0xF9, 4});
    out.push_back(static_cast<uint8_t>(f.disposal << 2 | (f.transparent >= 0 ? 1 : 0)));
    Put16(out, f.delayHundredths);
    out.push_back(static_cast<uint8_t>(f.transparent >= 0 ? f.transparent : 0));
    out.push_back(0);
    out.push_back(0x2C);
    Put16(out, f.rect.x());
    Put16(out, f.rect.y());
    Put16(out, f.rect.width());
    Put16(out, f.rect.height());
    out.push_back(0);
    out.push_back(2);
    const std::vector<uint8_t> codes = Lzw(f.indices);
    for (size_t at = 0; at < codes.size(); at += 255) {
      const size_t n = std::min<size_t>(255, codes.size() - at);
      out.push_back(static_cast<uint8_t>(n));
      out.insert(out.end(), codes.begin() + at, codes.begin() + at + n);
    }
    out.push_back(0);
  }
  out.push_back(0x3B);
  return out;
}

TestFrame SolidFrame(QRect rect, uint8_t index, int disposal, int delayHundredths) {
  return {rect, std::vector<uint8_t>(size_t(rect.width()) * rect.height(), index), -1, disposal, delayHundredths};
}

}  // namespace picbox_test

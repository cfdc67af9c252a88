#include "units/picbox/gif_frames.h"

#include <algorithm>
#include <cstring>

#include "imaging/gif_lzw.h"

namespace units {
namespace {

// One byte of LZW data stands for at most 4096 pixels, which bounds what a frame's header may
// make us allocate; all frames together stay within the pixel budget of a large still picture.
constexpr uint64_t kPixelsPerByte = 4096;
constexpr uint64_t kMaxSide = 32767;
constexpr uint64_t kMaxTotalPixels = uint64_t{1} << 26;

uint16_t U16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

bool Plausible(uint64_t width, uint64_t height, size_t length) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= uint64_t{length} * kPixelsPerByte;
}

// A colour table of 2 << (flags & 7) entries at `pos`; false when the data ends first.
bool ReadTable(std::span<const uint8_t> b, size_t& pos, unsigned flags, std::vector<QRgb>& table) {
  const size_t entries = size_t{2} << (flags & 7);
  if (entries * 3 > b.size() - pos) return false;
  table.resize(entries);
  for (size_t i = 0; i < entries; ++i, pos += 3) table[i] = qRgb(b[pos], b[pos + 1], b[pos + 2]);
  return true;
}

// The sub-blocks at `pos` joined into `out` (when given); false when the data ends first.
bool ReadSubBlocks(std::span<const uint8_t> b, size_t& pos, std::vector<uint8_t>* out) {
  while (pos < b.size()) {
    const size_t length = b[pos++];
    if (length == 0) return true;
    if (length > b.size() - pos) return false;
    if (out != nullptr) out->insert(out->end(), b.begin() + pos, b.begin() + pos + length);
    pos += length;
  }
  return false;
}

}  // namespace

std::optional<GifAnimation> DecodeGifFrames(std::span<const uint8_t> b) {
  if (b.size() < 13 || std::memcmp(b.data(), "GIF8", 4) != 0) return std::nullopt;
  GifAnimation animation;
  animation.screen = QSize(U16(b, 6), U16(b, 8));
  if (!Plausible(animation.screen.width(), animation.screen.height(), b.size())) return std::nullopt;
  size_t pos = 13;
  std::vector<QRgb> global;
  if ((b[10] & 0x80) && !ReadTable(b, pos, b[10], global)) return std::nullopt;

  // What the last graphic control extension said; it applies to the next image only.
  int transparent = -1, disposal = 0, delayMs = 50;
  uint64_t pixels = 0;
  while (pos < b.size()) {
    const uint8_t introducer = b[pos++];
    if (introducer == 0x21) {
      if (pos >= b.size()) break;
      const uint8_t label = b[pos++];
      if (label == 0xF9 && pos + 5 <= b.size() && b[pos] >= 4) {
        const uint8_t packed = b[pos + 1];
        disposal = (packed >> 2) & 7;
        const unsigned delay = U16(b, pos + 2);
        delayMs = delay == 0 ? 50 : static_cast<int>(delay) * 10;
        transparent = (packed & 1) ? b[pos + 4] : -1;
      }
      if (!ReadSubBlocks(b, pos, nullptr)) break;
      continue;
    }
    if (introducer != 0x2C || b.size() - pos < 10) break;  // the trailer, or data we cannot read

    GifFrame frame;
    const int width = U16(b, pos + 4), height = U16(b, pos + 6);
    const unsigned flags = b[pos + 8];
    frame.rect = QRect(U16(b, pos), U16(b, pos + 2), width, height);
    pos += 9;
    if (!Plausible(width, height, b.size())) break;
    pixels += uint64_t(width) * uint64_t(height);
    if (pixels > kMaxTotalPixels) break;
    if (!(flags & 0x80)) frame.palette = global;
    else if (!ReadTable(b, pos, flags, frame.palette)) break;
    if (pos >= b.size()) break;
    const unsigned minCodeSize = b[pos++];
    std::vector<uint8_t> codes;
    if (!ReadSubBlocks(b, pos, &codes)) break;
    frame.indices.resize(size_t(width) * size_t(height));
    frame.storedRows = static_cast<int>(imaging::DecodeGifLzw(codes, minCodeSize, frame.indices) / size_t(width));
    frame.interlaced = (flags & 0x40) != 0;
    frame.transparent = transparent;
    frame.disposal = disposal;
    frame.delayMs = delayMs;
    animation.frames.push_back(std::move(frame));
    transparent = -1, disposal = 0, delayMs = 50;
  }
  if (animation.frames.empty()) return std::nullopt;
  return animation;
}

GifComposer::GifComposer(const GifAnimation& animation, QRgb background)
    : animation_(animation), background_(background),
      canvas_(animation.screen, QImage::Format_RGB32) {}

const QImage& GifComposer::Next() {
  if (started_) {
    Dispose(animation_.frames[current_]);
    current_ = (current_ + 1) % animation_.frames.size();
  }
  started_ = true;
  if (current_ == 0) canvas_.fill(background_);
  Draw(animation_.frames[current_]);
  return canvas_;
}

void GifComposer::Draw(const GifFrame& frame) {
  const QRect visible = frame.rect & canvas_.rect();
  if (frame.disposal == 3) {
    saved_ = canvas_.copy(visible);
    savedRect_ = visible;
  }
  const int width = frame.rect.width(), height = frame.rect.height();
  for (int n = 0; n < frame.storedRows; ++n) {
    const int row = frame.interlaced ? static_cast<int>(imaging::GifInterlacedRow(n, height)) : n;
    const int y = frame.rect.top() + row;
    if (y < visible.top() || y > visible.bottom()) continue;
    const uint8_t* in = frame.indices.data() + size_t(n) * size_t(width);
    auto* out = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
    for (int x = visible.left(); x <= visible.right(); ++x) {
      const int index = in[x - frame.rect.left()];
      if (index == frame.transparent) continue;
      out[x] = size_t(index) < frame.palette.size() ? frame.palette[index] : qRgb(0, 0, 0);
    }
  }
}

void GifComposer::Dispose(const GifFrame& frame) {
  if (frame.disposal == 2) {
    const QRect visible = frame.rect & canvas_.rect();
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
      std::fill(line + visible.left(), line + visible.right() + 1, background_);
    }
  } else if (frame.disposal == 3 && !saved_.isNull()) {
    for (int y = 0; y < saved_.height(); ++y)
      std::memcpy(canvas_.scanLine(savedRect_.top() + y) + savedRect_.left() * sizeof(QRgb), saved_.constScanLine(y),
                  size_t(saved_.width()) * sizeof(QRgb));
  }
}

}  // namespace units

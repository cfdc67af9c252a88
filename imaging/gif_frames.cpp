#include "imaging/gif_frames.h"

#include <algorithm>
#include <cstring>

#include "imaging/bytes.h"
#include "imaging/gif_lzw.h"

namespace imaging {
namespace {

using detail::LoadU16;

// LZW strings grow by one pixel per code, so one byte of codes stands for at most 4096 pixels;
// in practice far fewer. This bounds what an image's header may make us allocate.
constexpr std::uint64_t kPixelsPerByte = 4096;
constexpr std::size_t kHeaderSize = 13;
constexpr std::size_t kDescriptorSize = 9;  // after the 0x2C that introduces it

// A colour table of 2 << (flags & 7) entries at `pos`; false when the data ends first.
bool ReadTable(std::span<const std::uint8_t> b, std::size_t& pos, unsigned flags, std::vector<QRgb>& table) {
  const std::size_t entries = std::size_t{2} << (flags & 7);
  if (entries * 3 > b.size() - pos) return false;
  table.resize(entries);
  for (std::size_t i = 0; i < entries; ++i, pos += 3) table[i] = qRgb(b[pos], b[pos + 1], b[pos + 2]);
  return true;
}

// The sub-blocks at `pos` joined into `out` (when given); false when the data ends first, with
// `pos` at its end and `out` holding every byte before that.
bool ReadSubBlocks(std::span<const std::uint8_t> b, std::size_t& pos, std::vector<std::uint8_t>* out) {
  while (pos < b.size()) {
    const std::size_t length = b[pos++];
    if (length == 0) return true;
    const std::size_t present = std::min(length, b.size() - pos);
    if (out != nullptr) out->insert(out->end(), b.begin() + pos, b.begin() + pos + present);
    pos += present;
  }
  return false;
}

// How many rows from the top are whole when the first `storedRows` rows in stored order are,
// and those rows moved from stored order into top-down order.
int TopRows(std::vector<std::uint8_t>& indices, std::size_t width, std::size_t height, std::size_t storedRows,
            bool interlaced) {
  if (!interlaced) return static_cast<int>(storedRows);
  std::vector<bool> whole(height);
  for (std::size_t n = 0; n < storedRows; ++n) whole[detail::GifInterlacedRow(n, height)] = true;
  std::size_t rows = 0;
  while (rows < height && whole[rows]) ++rows;
  std::vector<std::uint8_t> ordered(rows * width);
  for (std::size_t n = 0; n < storedRows; ++n) {
    const std::size_t row = detail::GifInterlacedRow(n, height);
    if (row < rows) std::memcpy(ordered.data() + row * width, indices.data() + n * width, width);
  }
  indices = std::move(ordered);
  return static_cast<int>(rows);
}

}  // namespace

GifReader::GifReader(std::span<const std::uint8_t> bytes) : b_(bytes) {
  if (b_.size() < kHeaderSize || std::memcmp(b_.data(), "GIF8", 4) != 0) {
    why_ = {RefusalKind::kTruncated, "truncated GIF: header cut short"};
    return;
  }
  const unsigned width = LoadU16(b_.data() + 6), height = LoadU16(b_.data() + 8), flags = b_[10];
  if (width == 0 || height == 0) {
    why_ = {RefusalKind::kDamaged, "damaged GIF: empty logical screen"};
    return;
  }
  if (!detail::Plausible(width, height, b_.size(), kPixelsPerByte)) {
    why_ = {RefusalKind::kTooLarge, "too large GIF: screen larger than its data could fill"};
    return;
  }
  pos_ = kHeaderSize;
  if ((flags & 0x80) && !ReadTable(b_, pos_, flags, global_)) {
    why_ = {RefusalKind::kTruncated, "truncated GIF: colour table cut short"};
    return;
  }
  screen_ = QSize(static_cast<int>(width), static_cast<int>(height));
}

std::optional<GifFrame> GifReader::Fail(RefusalKind kind, const char* text) {
  why_ = {kind, text};
  pos_ = b_.size();  // nothing after data that cannot be read is used
  return std::nullopt;
}

std::optional<GifFrame> GifReader::Next() {
  if (screen_.isEmpty()) return std::nullopt;
  // What the last graphic control block said; it applies to the next image only.
  GifFrame frame;
  while (pos_ < b_.size() && b_[pos_] == 0x21) {
    if (b_.size() - pos_ < 2) return Fail(RefusalKind::kTruncated, "truncated GIF: extension cut short");
    const std::uint8_t label = b_[pos_ + 1];
    pos_ += 2;
    if (label == 0xF9 && b_.size() - pos_ >= 5 && b_[pos_] >= 4) {
      const std::uint8_t packed = b_[pos_ + 1];
      const unsigned delay = LoadU16(b_.data() + pos_ + 2);
      frame.disposal = (packed >> 2) & 7;
      frame.delayMs = delay == 0 ? 50 : static_cast<int>(delay) * 10;
      frame.transparent = (packed & 1) ? b_[pos_ + 4] : -1;
    }
    if (!ReadSubBlocks(b_, pos_, nullptr)) return Fail(RefusalKind::kTruncated, "truncated GIF: extension cut short");
  }
  if (pos_ >= b_.size()) {  // the end without a trailer
    if (!anyImage_) why_ = {RefusalKind::kTruncated, "truncated GIF: ends before its first image"};
    return std::nullopt;
  }
  if (b_[pos_] == 0x3B) {
    if (!anyImage_) why_ = {RefusalKind::kDamaged, "damaged GIF: no image"};
    return std::nullopt;
  }
  if (b_[pos_] != 0x2C) return Fail(RefusalKind::kDamaged, "damaged GIF: unknown block");
  if (b_.size() - pos_ - 1 < kDescriptorSize + 1)
    return Fail(RefusalKind::kTruncated, "truncated GIF: image descriptor cut short");
  const std::uint8_t* d = b_.data() + pos_ + 1;
  const unsigned width = LoadU16(d + 4), height = LoadU16(d + 6), flags = d[8];
  pos_ += 1 + kDescriptorSize;
  frame.rect = QRect(LoadU16(d), LoadU16(d + 2), static_cast<int>(width), static_cast<int>(height));
  if (width == 0 || height == 0) return Fail(RefusalKind::kDamaged, "damaged GIF: empty image");
  if (!detail::Plausible(width, height, b_.size(), kPixelsPerByte))
    return Fail(RefusalKind::kTooLarge, "too large GIF: image larger than its data could fill");
  pixels_ += std::uint64_t{width} * height;
  if (pixels_ > detail::kMaxPixels) return Fail(RefusalKind::kTooLarge, "too large GIF: too many pixels in all");
  if (!(flags & 0x80)) frame.palette = global_;
  else if (!ReadTable(b_, pos_, flags, frame.palette))
    return Fail(RefusalKind::kTruncated, "truncated GIF: colour table cut short");
  if (pos_ >= b_.size()) return Fail(RefusalKind::kTruncated, "truncated GIF: image data ends early");
  const unsigned minCodeSize = b_[pos_++];
  if (minCodeSize < 2 || minCodeSize > 8) return Fail(RefusalKind::kDamaged, "damaged GIF: bad code size");

  // Data that ends inside the image still gives the rows decoded so far; nothing can follow.
  std::vector<std::uint8_t> codes;
  const bool complete = ReadSubBlocks(b_, pos_, &codes);
  frame.indices.resize(std::size_t{width} * height);
  const std::size_t storedRows = detail::DecodeGifLzw(codes, minCodeSize, frame.indices) / width;
  frame.indices.resize(storedRows * width);
  frame.rows = TopRows(frame.indices, width, height, storedRows, flags & 0x40);
  if (frame.rows == 0)
    return Fail(complete ? RefusalKind::kDamaged : RefusalKind::kTruncated,
                complete ? "damaged GIF: image data ends early" : "truncated GIF: file ends inside image data");
  anyImage_ = true;
  return frame;
}

std::optional<GifAnimation> ReadGifFrames(std::span<const std::uint8_t> bytes, Refusal* why) {
  GifReader reader(bytes);
  GifAnimation animation;
  animation.screen = reader.Screen();
  while (std::optional<GifFrame> frame = reader.Next()) animation.frames.push_back(std::move(*frame));
  if (animation.frames.empty()) {
    if (why != nullptr) *why = reader.Why();
    return std::nullopt;
  }
  return animation;
}

}  // namespace imaging

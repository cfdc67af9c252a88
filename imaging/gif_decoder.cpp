// The first image of a GIF file, decoded into a packed 8-bit bitmap of the image's own size.
// The picture's width and height are those of the logical screen the image sits in.
#include <array>
#include <cstring>
#include <vector>

#include "imaging/decoders.h"
#include "imaging/gif_lzw.h"
#include "imaging/packed_dib.h"

namespace imaging::detail {
namespace {

// LZW strings grow by one pixel per code, so a 12-bit code stands for at most a few thousand
// pixels; in practice far fewer. This bounds what the headers may make us allocate.
constexpr std::uint64_t kPixelsPerByte = 4096;
constexpr unsigned kMaxCodes = 4096;

// Skips a run of data sub-blocks starting at `pos`; returns the position after the terminating
// empty block, or 0 when the data ends first.
std::size_t SkipSubBlocks(Bytes data, std::size_t pos) {
  while (pos < data.size()) {
    const std::size_t length = data[pos];
    pos += 1 + length;
    if (length == 0) return pos;
  }
  return 0;
}

}  // namespace
}  // namespace imaging::detail

namespace imaging {

std::size_t DecodeGifLzw(std::span<const std::uint8_t> codes, unsigned minCodeSize, std::span<std::uint8_t> out) {
  using detail::kMaxCodes;
  if (minCodeSize < 2 || minCodeSize > 8) return 0;  // the code tables hold 12-bit codes
  std::array<std::uint16_t, kMaxCodes> prefix;
  std::array<std::uint16_t, kMaxCodes> length;
  std::array<std::uint8_t, kMaxCodes> suffix, first;
  const unsigned clear = 1u << minCodeSize, end = clear + 1;
  for (unsigned i = 0; i < clear; ++i) {
    suffix[i] = first[i] = static_cast<std::uint8_t>(i);
    length[i] = 1;
  }
  unsigned next = clear + 2, codeSize = minCodeSize + 1;
  int previous = -1;
  std::uint32_t bitBuffer = 0;
  unsigned bitCount = 0;
  std::size_t in = 0, written = 0;
  std::array<std::uint8_t, kMaxCodes> overflow;

  while (written < out.size()) {
    while (bitCount < codeSize && in < codes.size()) {
      bitBuffer |= std::uint32_t{codes[in++]} << bitCount;
      bitCount += 8;
    }
    if (bitCount < codeSize) break;
    const unsigned code = bitBuffer & ((1u << codeSize) - 1);
    bitBuffer >>= codeSize;
    bitCount -= codeSize;

    if (code == clear) {
      next = clear + 2;
      codeSize = minCodeSize + 1;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      if (code > clear) break;  // the first code after a clear must be a pixel value
      out[written++] = static_cast<std::uint8_t>(code);
      previous = static_cast<int>(code);
      continue;
    }
    // A code one past the table is the previous string plus its own first pixel.
    unsigned entry = code;
    std::uint8_t firstPixel;
    if (code < next) {
      firstPixel = first[code];
    } else if (code == next && next < kMaxCodes) {
      firstPixel = first[previous];
      prefix[next] = static_cast<std::uint16_t>(previous);
      suffix[next] = firstPixel;
      first[next] = firstPixel;
      length[next] = static_cast<std::uint16_t>(length[previous] + 1);
      entry = next;
    } else {
      break;  // damaged: the code is not in the table yet
    }
    // Strings are stored back to front; write them from their last pixel.
    const std::size_t n = length[entry];
    std::uint8_t* dest = written + n <= out.size() ? out.data() + written : overflow.data();
    for (std::size_t i = n, c = entry; i-- > 0; c = prefix[c]) dest[i] = suffix[c];
    if (dest == overflow.data()) {
      std::memcpy(out.data() + written, overflow.data(), out.size() - written);
      written = out.size();
    } else {
      written += n;
    }

    if (next < kMaxCodes) {
      if (entry != next) {
        prefix[next] = static_cast<std::uint16_t>(previous);
        suffix[next] = firstPixel;
        first[next] = first[previous];
        length[next] = static_cast<std::uint16_t>(length[previous] + 1);
      }
      ++next;
      if (next == (1u << codeSize) && codeSize < 12) ++codeSize;
    }
    previous = static_cast<int>(code);
  }
  return written;
}

std::size_t GifInterlacedRow(std::size_t n, std::size_t height) {
  const std::size_t pass1 = (height + 7) / 8, pass2 = (height + 3) / 8, pass3 = (height + 1) / 4;
  if (n < pass1) return n * 8;
  n -= pass1;
  if (n < pass2) return 4 + n * 8;
  n -= pass2;
  if (n < pass3) return 2 + n * 4;
  return 1 + (n - pass3) * 2;
}

}  // namespace imaging

namespace imaging::detail {

std::unique_ptr<Image> DecodeGif(Bytes data) {
  if (data.size() <= 13) return nullptr;
  const std::uint8_t* b = data.data();
  const unsigned screenWidth = U16(b + 6), screenHeight = U16(b + 8), screenFlags = b[10];
  if (!Plausible(screenWidth, screenHeight, data.size(), kPixelsPerByte)) return nullptr;
  std::size_t pos = 13;
  Bytes globalTable;
  if (screenFlags & 0x80) {
    const std::size_t entries = std::size_t{2} << (screenFlags & 7);
    if (pos + entries * 3 > data.size()) return nullptr;
    globalTable = data.subspan(pos, entries * 3);
    pos += entries * 3;
  }

  // Extensions (timing, transparency, comments, application data) do not change the first
  // still picture; they are stepped over up to the first image descriptor.
  while (pos < data.size() && data[pos] == 0x21) {
    if (pos + 2 > data.size()) return nullptr;
    pos = SkipSubBlocks(data, pos + 2);
    if (pos == 0) return nullptr;
  }
  if (pos + 10 > data.size() || data[pos] != 0x2C) return nullptr;
  const unsigned width = U16(b + pos + 5), height = U16(b + pos + 7), imageFlags = b[pos + 9];
  pos += 10;
  if (!Plausible(width, height, data.size(), kPixelsPerByte)) return nullptr;
  Bytes table = globalTable;
  if (imageFlags & 0x80) {
    const std::size_t entries = std::size_t{2} << (imageFlags & 7);
    if (pos + entries * 3 > data.size()) return nullptr;
    table = data.subspan(pos, entries * 3);
    pos += entries * 3;
  }
  if (pos >= data.size()) return nullptr;
  const unsigned minCodeSize = data[pos++];
  if (minCodeSize < 2 || minCodeSize > 8) return nullptr;

  std::vector<std::uint8_t> codes;
  while (true) {
    if (pos >= data.size()) return nullptr;
    const std::size_t length = data[pos++];
    if (length == 0) break;
    if (length > data.size() - pos) return nullptr;
    codes.insert(codes.end(), b + pos, b + pos + length);
    pos += length;
  }
  std::vector<std::uint8_t> frame(std::size_t{width} * height);
  if (DecodeGifLzw(codes, minCodeSize, frame) < frame.size()) return nullptr;

  auto image = std::make_unique<Image>();
  image->kind = kGif;
  image->width = static_cast<int>(screenWidth);
  image->height = static_cast<int>(screenHeight);
  image->pixels = NewPackedDib(static_cast<int>(width), static_cast<int>(height));
  std::uint8_t* palette = image->pixels.data() + kDibPaletteOffset;
  for (std::size_t i = 0; i < table.size() / 3; ++i) {
    palette[i * 4] = table[i * 3 + 2];
    palette[i * 4 + 1] = table[i * 3 + 1];
    palette[i * 4 + 2] = table[i * 3];
  }
  const bool interlaced = imageFlags & 0x40;
  const std::size_t stride = DibStride(width);
  for (std::size_t n = 0; n < height; ++n) {
    const std::size_t row = interlaced ? GifInterlacedRow(n, height) : n;
    std::memcpy(image->pixels.data() + kDibPixelsOffset + row * stride, frame.data() + n * width, width);
  }
  return image;
}

}  // namespace imaging::detail

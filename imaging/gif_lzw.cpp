#include "imaging/gif_lzw.h"

#include <array>
#include <cstring>

namespace imaging::detail {
namespace {

constexpr unsigned kMaxCodes = 4096;  // codes are at most 12 bits wide

}  // namespace

std::size_t DecodeGifLzw(std::span<const std::uint8_t> codes, unsigned minCodeSize, std::span<std::uint8_t> out) {
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

}  // namespace imaging::detail

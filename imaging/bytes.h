#pragma once
// Little-endian field access and the limits every decoder checks before it allocates.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/little_endian.h"

namespace imaging::detail {

using Bytes = std::span<const std::uint8_t>;

using platform::LoadI32;
using platform::LoadU16;
using platform::LoadU32;

// The largest picture accepted: sides that fit a 16-bit signed coordinate, 64 M pixels.
constexpr std::uint64_t kMaxSide = 32767;
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 26;

// True when a width x height picture is not empty, within the limits above, and no larger than
// `length` bytes can describe when one byte stands for at most `pixelsPerByte` pixels. Header
// fields are never trusted further than that.
inline bool Plausible(std::uint64_t width, std::uint64_t height, std::size_t length, std::uint64_t pixelsPerByte) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels &&
         width * height <= std::uint64_t{length} * pixelsPerByte;
}

// The palette index of pixel x of a row with 1, 4 or 8 bits per pixel, leftmost pixel in the
// most significant bits.
inline unsigned PaletteIndex(const std::uint8_t* row, unsigned bits, std::size_t x) {
  const std::size_t bit = x * bits;
  const unsigned shift = 8 - bits - static_cast<unsigned>(bit & 7);
  return (row[bit >> 3] >> shift) & ((1u << bits) - 1);
}

// Bytes of a row of `width` pixels of `bits` bits padded to a multiple of 4 bytes.
inline std::uint64_t PaddedStride(std::uint64_t width, unsigned bits) { return (width * bits + 31) / 32 * 4; }

}  // namespace imaging::detail

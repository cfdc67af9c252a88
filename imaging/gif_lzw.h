#pragma once
// The image data of a GIF: variable-length LZW codes, and the row order of interlaced images.
#include <cstddef>
#include <cstdint>
#include <span>

namespace imaging::detail {

// Decodes the LZW codes of one GIF image (its sub-blocks joined) with the given minimum code
// size into `out`; returns how many pixels were written, at most out.size(). Damaged codes end
// the decoding early.
std::size_t DecodeGifLzw(std::span<const std::uint8_t> codes, unsigned minCodeSize, std::span<std::uint8_t> out);

// The row that the n-th stored row of an interlaced image of `height` rows belongs to.
std::size_t GifInterlacedRow(std::size_t n, std::size_t height);

}  // namespace imaging::detail

#pragma once
// The packed 8-bit bitmap that GIF pictures are kept in: a 40-byte information
// header, 256 palette entries of blue, green, red, 0, then top-down rows padded to 4 bytes.
#include <cstdint>
#include <vector>

#include <QImage>

namespace imaging::detail {

constexpr std::size_t kDibHeaderSize = 40;
constexpr std::size_t kDibPaletteOffset = kDibHeaderSize;
constexpr std::size_t kDibPixelsOffset = kDibHeaderSize + 256 * 4;

inline std::size_t DibStride(std::size_t width) { return (width + 3) & ~std::size_t{3}; }

// A zeroed packed bitmap of width x height with its header filled in.
std::vector<std::uint8_t> NewPackedDib(int width, int height);

// The packed bitmap as an indexed image; a null image when the bytes do not hold a whole one.
QImage PackedDibToImage(const std::vector<std::uint8_t>& dib);

}  // namespace imaging::detail

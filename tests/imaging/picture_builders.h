#pragma once
// Picture files made byte by byte (or with Qt's writers) for the tests and the benchmark.
#include <cstdint>
#include <vector>

#include <QImage>

namespace picture_builders {

using Bytes = std::vector<std::uint8_t>;

// The picture in one of Qt's writable formats ("png", "jpeg", "bmp").
Bytes Encode(const QImage& picture, const char* format, int quality = -1);

// An uncompressed BMP file. For 1, 4 and 8 bits the picture is Format_Indexed8 with at most
// 2^bits colours. `gap` bytes of filler lie between the palette and the pixel rows.
Bytes BmpFile(const QImage& picture, int bits, bool topDown = false, int gap = 0);

struct GifOptions {
  bool version89 = true;
  bool localTable = false;  // the colours go into the image's own table instead of the global one
  bool interlaced = false;
  int screenWidth = 0;  // 0: the picture's size
  int screenHeight = 0;
  bool withExtensions = false;  // a graphic control and a comment block before the image
};
// A GIF of one Format_Indexed8 picture; the colour table has as many entries as the picture's
// colour table rounded up to a power of two (at least 2).
Bytes GifFile(const QImage& picture, const GifOptions& options = {});

// 8-bit PCX (Format_Indexed8 picture, palette at the end) and 1-bit PCX (Format_Mono picture,
// index 1 white), run-length encoded, version 5 and 3.
Bytes Pcx8File(const QImage& picture);
Bytes Pcx1File(const QImage& picture);

// One entry of an icon file: the directory's width and colour-count bytes and the image bytes.
struct IconEntry {
  int width;
  int colourCount;
  Bytes image;
};
// A bitmap entry from an ARGB32 picture: 32 bits with alpha, or 8 bits (colours from a
// 256-entry palette of the picture's distinct colours) with the mask taken from alpha 0.
Bytes IconBitmap(const QImage& picture, int bits);
Bytes IconFile(int type, const std::vector<IconEntry>& entries);

// A picture whose pixel colours (x, y) can be checked: red = x * 16, green = y * 16, blue = 100.
QImage Gradient(int width, int height);

}  // namespace picture_builders

#pragma once
// Pictures kept as the complete bytes of an image file: recognition, decoding into an Image,
// and preparing and drawing that image on a painter. A "device context" here is a QPainter
// and every bitmap is a QImage, so decoding and preparing work without a GUI application and
// on any thread.
#include <cstdint>
#include <memory>
#include <vector>

#include <QImage>
#include <QString>

class QPainter;

namespace imaging {

// A colour as 0x00BBGGRR.
using COLORREF = std::uint32_t;

// The kind of a picture, decided by recognition; each kind keeps its pixels in its own layout.
enum ImageKind : std::int32_t {
  kNotPicture = 0,
  kJpeg = 1,  // the bitmap, already drawable: opaque RGB32
  kBmp = 2,   // the bitmap: RGB32 for 24 and 32 bits, indexed for 4 and 8, monochrome for 1
  kIco = 3,   // no pixels; the icon image of the chosen entry
  kCur = 4,   // as kIco (a cursor is shown as an icon)
  kGif = 5,   // packed bitmap: 40-byte info header, 256 palette entries (B, G, R, 0), 8-bit
              // rows top-down (negative height), each padded to 4 bytes; the first frame only,
              // of as many whole rows as its data held
  kPcx8 = 6,  // the bitmap, indexed with 256 colours
  kPcx1 = 7,  // the bitmap, monochrome: 1 white, 0 black
  kPng = 8,   // the bitmap: ARGB32 with straight alpha, or opaque RGB32 when no pixel can be
              // transparent
};

// Raster operations understood by DrawPrepared.
constexpr std::int32_t SRCCOPY = 0x00CC0020;
constexpr std::int32_t SRCPAINT = 0x00EE0086;
constexpr std::int32_t SRCAND = 0x008800C6;
constexpr std::int32_t SRCINVERT = 0x00660046;
constexpr std::int32_t SRCERASE = 0x00440328;
constexpr std::int32_t NOTSRCCOPY = 0x00330008;
constexpr std::int32_t NOTSRCERASE = 0x001100A6;
constexpr std::int32_t MERGEPAINT = 0x00BB0226;
constexpr std::int32_t DSTINVERT = 0x00550009;
constexpr std::int32_t BLACKNESS = 0x00000042;
constexpr std::int32_t WHITENESS = 0x00FF0062;

// A decoded picture, owned by whoever decoded it.
struct Image {
  ImageKind kind = kNotPicture;
  int width = 0;  // for kGif the logical screen, which the first frame is placed in
  int height = 0;
  QImage icon;                       // kIco, kCur: the entry, ARGB32 with straight alpha
  QImage bitmap;                     // kJpeg, kBmp, kPcx8, kPcx1, kPng
  std::vector<std::uint8_t> pixels;  // kGif: the packed bitmap
};

// An image made ready for one drawing on one painter; release it when the drawing is done.
struct PreparedImage {
  QPainter* dc = nullptr;
  ImageKind kind = kNotPicture;
  int width = 0;
  int height = 0;
  QImage icon;    // kIco, kCur
  QImage bitmap;  // other kinds: opaque (RGB32, indexed or monochrome)
};

// The kind of a picture from its first bytes (at least 6 are needed), or kNotPicture.
ImageKind RecogniseImage(const std::uint8_t* bytes, std::int64_t length);

// Why bytes gave no image: a kind to act on and a short text for people, such as
// "damaged GIF: image data ends early".
enum class RefusalKind : std::int32_t {
  kNone,
  kNotPicture,   // no known format, or no bytes
  kUnreadable,   // the file could not be read
  kTruncated,    // the data ends before the picture does
  kDamaged,      // the data contradicts itself
  kUnsupported,  // a variant of the format this module does not decode
  kTooLarge,     // larger than the module accepts, or than the data could describe
};
struct Refusal {
  RefusalKind kind = RefusalKind::kNone;
  const char* text = "";  // a string literal
};

// A new image from the bytes of an image file, or null when they are not a picture or are
// truncated, damaged or larger than the module accepts; `why` (when given) then says which.
std::unique_ptr<Image> DecodeImage(const std::uint8_t* bytes, std::int64_t length, Refusal* why = nullptr);
std::unique_ptr<Image> DecodeImageFile(const QString& path, Refusal* why = nullptr);

// Builds the bitmap (or takes the icon) to draw `image` with on `dc`; transparent pixels of a
// PNG are blended with `background`. Returns true when there is something to draw.
bool PrepareImage(QPainter* dc, const Image& image, COLORREF background, PreparedImage* out);

// Draws a prepared image at (x, y). A width or height of -1 draws at natural size, otherwise the
// picture is stretched to width x height. A raster operation of 0 or more combines the bitmap
// with the target; a negative one, -k, draws the bitmap with colour k left transparent.
// Icons are always drawn with their own transparency. Returns false when nothing was drawn
// (no painter, empty target, unknown raster operation).
bool DrawPrepared(const PreparedImage& prepared, int x, int y, int width, int height, std::int32_t rop);

void ReleasePrepared(PreparedImage* prepared);

// Prepare, draw with SRCCOPY, release.
bool DrawImage(const Image& image, QPainter* dc, int x, int y, int width, int height, COLORREF background);

// The picture as an opaque bitmap: icons and cursors drawn on white, other pictures prepared
// against `background`. A null image when the bytes are not a picture.
QImage ImageToBitmap(const std::uint8_t* bytes, std::int64_t length, COLORREF background = 0xFFFFFF);

// The entry 32 pixels wide (large) or 16 pixels wide (small) of icon or cursor file bytes, the
// last entry when none has that width, or a null image.
QImage LoadIconOfSize(const std::uint8_t* bytes, std::int64_t length, bool large);

}  // namespace imaging

// BMP, GIF and PCX pictures decode into the pixel layouts of their kinds.
#include <gtest/gtest.h>

#include <cstring>

#include "imaging/image.h"
#include "tests/imaging/picture_builders.h"

namespace pb = picture_builders;

namespace {

std::unique_ptr<imaging::Image> Decode(const pb::Bytes& bytes) {
  return imaging::DecodeImage(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

// Pixel (x, y) of a decoded bitmap, which is drawn as it stands.
QRgb BitmapPixel(const imaging::Image& image, int x, int y) {
  EXPECT_EQ(image.bitmap.size(), QSize(image.width, image.height));
  return image.bitmap.pixel(x, y);
}

// A 5 x 3 indexed picture using `colours` colours, every pixel different from its neighbours.
QImage Indexed(int colours, int width = 5, int height = 3) {
  QImage picture(width, height, QImage::Format_Indexed8);
  picture.setColorCount(colours);
  for (int i = 0; i < colours; ++i) picture.setColor(i, qRgb(i * 7 & 0xFF, 255 - i, i * 3 & 0xFF));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, (x * 3 + y * 5) % colours);
  return picture;
}

// Checks the packed-bitmap layout of GIF pictures against an indexed picture.
void ExpectPackedBitmap(const imaging::Image& image, const QImage& picture, int paletteEntries) {
  const auto& dib = image.pixels;
  const int w = picture.width(), h = picture.height(), stride = (w + 3) & ~3;
  ASSERT_EQ(dib.size(), 40u + 1024u + std::size_t(stride) * h);
  EXPECT_EQ(U32(dib, 0), 40u);
  EXPECT_EQ(U32(dib, 4), std::uint32_t(w));
  EXPECT_EQ(static_cast<std::int32_t>(U32(dib, 8)), -h);  // top-down
  EXPECT_EQ(dib[14], 8);
  EXPECT_EQ(U32(dib, 32), 256u);
  for (int i = 0; i < 256; ++i) {
    const QRgb want = i < paletteEntries ? picture.color(i) : 0;
    const std::uint8_t* entry = dib.data() + 40 + i * 4;
    EXPECT_EQ(qRgb(entry[2], entry[1], entry[0]), want | 0xFF000000) << "palette entry " << i;
    EXPECT_EQ(entry[3], 0);
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) EXPECT_EQ(dib[1064 + y * stride + x], picture.pixelIndex(x, y)) << x << "," << y;
}

TEST(BmpDecoder, TwentyFourBitsBecomeAnUprightBitmap) {
  // Width 3 makes 9-byte rows that the file pads to 12.
  const QImage picture = pb::Gradient(3, 2);
  const auto image = Decode(pb::BmpFile(picture, 24));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->kind, imaging::kBmp);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(BitmapPixel(*image, x, y), picture.pixel(x, y)) << x << "," << y;
}

TEST(BmpDecoder, EveryBitCountGivesTheSamePixels) {
  const QImage gradient = pb::Gradient(7, 5);
  for (int bits : {24, 32}) {
    const auto image = Decode(pb::BmpFile(gradient, bits));
    ASSERT_NE(image, nullptr) << bits;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) EXPECT_EQ(BitmapPixel(*image, x, y), gradient.pixel(x, y)) << bits;
  }
  for (int bits : {1, 4, 8}) {
    const QImage picture = Indexed(1 << std::min(bits, 4), 13, 3);
    const auto image = Decode(pb::BmpFile(picture, bits));
    ASSERT_NE(image, nullptr) << bits;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 13; ++x) EXPECT_EQ(BitmapPixel(*image, x, y), picture.pixel(x, y)) << bits << " " << x;
  }
}

TEST(BmpDecoder, HonoursTopDownRowsAndTheDataOffset) {
  const QImage picture = pb::Gradient(4, 3);
  const auto bottomUp = Decode(pb::BmpFile(picture, 24));
  const auto topDown = Decode(pb::BmpFile(picture, 24, true));
  const auto withGap = Decode(pb::BmpFile(Indexed(16), 4, false, 10));
  ASSERT_TRUE(bottomUp && topDown && withGap);
  EXPECT_EQ(topDown->height, 3);
  EXPECT_EQ(topDown->bitmap, bottomUp->bitmap);
  EXPECT_EQ(BitmapPixel(*withGap, 4, 2), Indexed(16).pixel(4, 2));
}

TEST(GifDecoder, SmallGlobalTableFillsAFullPalette) {
  const QImage picture = Indexed(2);
  pb::GifOptions options;
  options.version89 = false;
  const auto image = Decode(pb::GifFile(picture, options));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->kind, imaging::kGif);
  ExpectPackedBitmap(*image, picture, 2);
}

TEST(GifDecoder, LocalTableInterlaceAndExtensions) {
  const QImage picture = Indexed(16, 9, 11);
  pb::GifOptions options;
  options.localTable = true;
  options.interlaced = true;
  options.withExtensions = true;
  const auto image = Decode(pb::GifFile(picture, options));
  ASSERT_NE(image, nullptr);
  ExpectPackedBitmap(*image, picture, 16);
}

TEST(GifDecoder, LongCodesAndTableResets) {
  // Enough varied pixels to widen the codes to 12 bits and fill the table several times.
  QImage picture(300, 200, QImage::Format_Indexed8);
  picture.setColorCount(256);
  for (int i = 0; i < 256; ++i) picture.setColor(i, qRgb(i, i ^ 0x5A, 255 - i));
  std::uint32_t seed = 1;
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) {
      seed = seed * 1103515245 + 12345;
      picture.setPixel(x, y, (x / 4 + y / 3 + (seed >> 28)) & 0xFF);
    }
  const auto image = Decode(pb::GifFile(picture));
  ASSERT_NE(image, nullptr);
  ExpectPackedBitmap(*image, picture, 256);
}

TEST(PcxDecoder, EightBitsBecomeAnIndexedBitmap) {
  const QImage picture = Indexed(200, 7, 4);  // odd width: the file pads lines to 8 bytes
  const auto image = Decode(pb::Pcx8File(picture));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->kind, imaging::kPcx8);
  EXPECT_EQ(image->width, 7);
  EXPECT_EQ(image->height, 4);
  ASSERT_EQ(image->bitmap.format(), QImage::Format_Indexed8);
  ASSERT_EQ(image->bitmap.colorCount(), 256);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(image->bitmap.color(i), picture.color(i)) << "palette entry " << i;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(image->bitmap.pixelIndex(x, y), picture.pixelIndex(x, y)) << x << "," << y;
}

TEST(PcxDecoder, OneBitKeepsMonochromeRows) {
  QImage picture(19, 3, QImage::Format_Mono);
  picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 19; ++x) picture.setPixel(x, y, (x + y) % 3 == 0);
  const auto image = Decode(pb::Pcx1File(picture));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->kind, imaging::kPcx1);
  ASSERT_EQ(image->bitmap.format(), QImage::Format_Mono);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 19; ++x)
      EXPECT_EQ(image->bitmap.pixel(x, y), picture.pixelIndex(x, y) ? qRgb(255, 255, 255) : qRgb(0, 0, 0)) << x << "," << y;
}

}  // namespace

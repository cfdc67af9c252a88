// JPEG and PNG pictures decode through their libraries straight into drawable bitmaps.
#include <gtest/gtest.h>

#include <cstdlib>

#include "imaging/image.h"
#include "tests/imaging/picture_builders.h"

namespace pb = picture_builders;

namespace {

std::unique_ptr<imaging::Image> Decode(const pb::Bytes& bytes) {
  return imaging::DecodeImage(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

// Four flat 8x8 quadrants, so that a lossy coder keeps each colour nearly exact.
QImage Quadrants(QImage::Format format) {
  QImage picture(16, 16, format);
  const QRgb colours[4] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(20, 40, 230), qRgb(240, 240, 60)};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) picture.setPixel(x, y, colours[(y / 8) * 2 + x / 8]);
  return picture;
}

void ExpectNear(QRgb got, QRgb want, int tolerance) {
  EXPECT_NEAR(qBlue(got), qBlue(want), tolerance);
  EXPECT_NEAR(qGreen(got), qGreen(want), tolerance);
  EXPECT_NEAR(qRed(got), qRed(want), tolerance);
  EXPECT_EQ(qAlpha(got), 255);
}

TEST(JpegDecoder, ColourPicturesComeOutUprightAndOpaque) {
  const QImage picture = Quadrants(QImage::Format_RGB32);
  const auto image = Decode(pb::Encode(picture, "jpeg", 100));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->kind, imaging::kJpeg);
  EXPECT_EQ(image->width, 16);
  EXPECT_EQ(image->height, 16);
  ASSERT_EQ(image->bitmap.format(), QImage::Format_RGB32);
  ASSERT_EQ(image->bitmap.size(), QSize(16, 16));
  for (int y : {2, 13})
    for (int x : {2, 13}) ExpectNear(image->bitmap.pixel(x, y), picture.pixel(x, y), 6);
}

TEST(JpegDecoder, GreyRowsFillAllThreeChannels) {
  QImage picture(8, 16, QImage::Format_Grayscale8);
  for (int y = 0; y < 16; ++y) std::memset(picture.scanLine(y), y < 8 ? 40 : 200, 8);
  const auto image = Decode(pb::Encode(picture, "jpeg", 100));
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->bitmap.size(), QSize(8, 16));
  const QRgb top = image->bitmap.pixel(3, 0), bottom = image->bitmap.pixel(3, 15);
  ExpectNear(bottom, qRgb(200, 200, 200), 4);
  EXPECT_NEAR(qRed(top), 40, 4);
  EXPECT_TRUE(qRed(top) == qGreen(top) && qGreen(top) == qBlue(top));
}

TEST(PngDecoder, KeepsStraightAlphaTopDown) {
  QImage picture(3, 2, QImage::Format_ARGB32);
  picture.fill(qRgba(10, 20, 30, 255));
  picture.setPixel(1, 0, qRgba(200, 100, 50, 128));
  picture.setPixel(2, 1, qRgba(0, 0, 0, 0));
  const auto image = Decode(pb::Encode(picture, "png"));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->kind, imaging::kPng);
  ASSERT_EQ(image->bitmap.format(), QImage::Format_ARGB32);
  const std::vector<std::uint8_t> want = {30, 20, 10, 255, 50, 100, 200, 128, 30, 20, 10, 255,
                                          30, 20, 10, 255, 30, 20, 10, 255, 0,   0,   0,  0};
  EXPECT_EQ(std::vector<std::uint8_t>(image->bitmap.constBits(), image->bitmap.constBits() + want.size()), want);

  // Without an alpha channel the bitmap is opaque as decoded.
  const auto opaque = Decode(pb::Encode(Quadrants(QImage::Format_RGB32), "png"));
  ASSERT_NE(opaque, nullptr);
  EXPECT_EQ(opaque->bitmap.format(), QImage::Format_RGB32);
  EXPECT_EQ(opaque->bitmap.pixel(13, 13), qRgb(240, 240, 60));
}

}  // namespace

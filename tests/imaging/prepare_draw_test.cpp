// Preparing images against a background and drawing them plain, stretched and colour-keyed.
#include <gtest/gtest.h>

#include <QPainter>

#include <cstring>

#include "imaging/image.h"
#include "tests/imaging/picture_builders.h"

namespace pb = picture_builders;

namespace {

std::unique_ptr<imaging::Image> Decode(const pb::Bytes& bytes) {
  return imaging::DecodeImage(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

imaging::Image Png(int width, int height, const std::vector<std::uint8_t>& bgra) {
  imaging::Image image;
  image.kind = imaging::kPng;
  image.width = width;
  image.height = height;
  image.bitmap = QImage(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    std::memcpy(image.bitmap.scanLine(y), bgra.data() + std::size_t(y) * width * 4, std::size_t(width) * 4);
  return image;
}

QImage Prepared(const imaging::Image& image, imaging::COLORREF background) {
  imaging::PreparedImage prepared;
  EXPECT_TRUE(imaging::PrepareImage(nullptr, image, background, &prepared));
  return prepared.bitmap;
}

TEST(PrepareImage, BlendsTranslucentPixelsWithTheBackground) {
  const imaging::Image image = Png(4, 1, {0, 0, 0, 128,        // half over white: 127
                                          10, 20, 30, 255,     // opaque: unchanged
                                          200, 100, 50, 0,     // clear: the background
                                          100, 100, 100, 77});  // 77/255*100 + 178/255*c
  EXPECT_EQ(Prepared(image, 0xFFFFFF).pixel(0, 0), qRgb(127, 127, 127));
  EXPECT_EQ(Prepared(image, 0xFFFFFF).pixel(1, 0), qRgb(30, 20, 10));
  // Background 0x00BBGGRR: its blue goes with the pixel's blue, its red with red.
  const QImage overColour = Prepared(image, 0x00102030);
  EXPECT_EQ(overColour.pixel(2, 0), qRgb(0x30, 0x20, 0x10));
  EXPECT_EQ(overColour.pixel(3, 0), qRgb((77 * 100 + 178 * 0x30) / 255, (77 * 100 + 178 * 0x20) / 255,
                                         (77 * 100 + 178 * 0x10) / 255));
}

TEST(PrepareImage, EveryKindBecomesAnUprightBitmap) {
  const QImage gradient = pb::Gradient(6, 5);
  QImage indexed = gradient.convertToFormat(QImage::Format_Indexed8);
  QImage mono(10, 2, QImage::Format_Mono);
  mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  mono.fill(0);
  mono.setPixel(9, 1, 1);
  for (const pb::Bytes& file : {pb::BmpFile(gradient, 24), pb::BmpFile(gradient, 24, true), pb::GifFile(indexed),
                                pb::Pcx8File(indexed), pb::Encode(gradient, "png")}) {
    const auto image = Decode(file);
    ASSERT_NE(image, nullptr);
    const QImage bitmap = Prepared(*image, 0);
    ASSERT_EQ(bitmap.size(), gradient.size()) << image->kind;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) EXPECT_EQ(bitmap.pixel(x, y), gradient.pixel(x, y)) << image->kind << " " << x << "," << y;
  }
  const QImage monoBitmap = Prepared(*Decode(pb::Pcx1File(mono)), 0);
  EXPECT_EQ(monoBitmap.pixel(9, 1), qRgb(255, 255, 255));
  EXPECT_EQ(monoBitmap.pixel(8, 1), qRgb(0, 0, 0));
}

TEST(PrepareImage, GifFrameSmallerThanItsScreenLeavesTheBackground) {
  pb::GifOptions options;
  options.screenWidth = 8;
  options.screenHeight = 4;
  const QImage frame = pb::Gradient(3, 2).convertToFormat(QImage::Format_Indexed8);
  const auto image = Decode(pb::GifFile(frame, options));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 8);  // the picture is the screen, the packed bitmap the frame
  EXPECT_EQ(image->pixels[4], 3);
  const QImage bitmap = Prepared(*image, 0x00FF0000);
  ASSERT_EQ(bitmap.size(), QSize(8, 4));
  EXPECT_EQ(bitmap.pixel(2, 1), frame.pixel(2, 1));
  EXPECT_EQ(bitmap.pixel(3, 0), qRgb(0, 0, 255));
  EXPECT_EQ(bitmap.pixel(0, 3), qRgb(0, 0, 255));
}

class Drawing : public ::testing::Test {
 protected:
  Drawing() : canvas(12, 10, QImage::Format_RGB32) { canvas.fill(qRgb(255, 0, 0)); }
  // A 3 x 2 picture: top row white, white, blue; bottom row green, blue, white.
  const pb::Bytes picture = [] {
    QImage p(3, 2, QImage::Format_RGB32);
    p.fill(Qt::white);
    p.setPixel(2, 0, qRgb(0, 0, 255));
    p.setPixel(0, 1, qRgb(0, 255, 0));
    p.setPixel(1, 1, qRgb(0, 0, 255));
    return pb::BmpFile(p, 24);
  }();
  bool Draw(int x, int y, int w, int h, std::int32_t rop) {
    const auto image = Decode(picture);
    QPainter painter(&canvas);
    imaging::PreparedImage prepared;
    if (!imaging::PrepareImage(&painter, *image, 0xFFFFFF, &prepared)) return false;
    const bool drawn = imaging::DrawPrepared(prepared, x, y, w, h, rop);
    imaging::ReleasePrepared(&prepared);
    EXPECT_TRUE(prepared.bitmap.isNull());
    return drawn;
  }
  QImage canvas;
};

TEST_F(Drawing, NaturalSizeAndStretched) {
  ASSERT_TRUE(Draw(1, 1, -1, 5, imaging::SRCCOPY));
  EXPECT_EQ(canvas.pixel(3, 1), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.pixel(1, 2), qRgb(0, 255, 0));
  EXPECT_EQ(canvas.pixel(4, 1), qRgb(255, 0, 0));  // just outside
  EXPECT_EQ(canvas.pixel(1, 3), qRgb(255, 0, 0));
  // Twice as large; stretching smooths, so inner pixels are only mostly their colour.
  ASSERT_TRUE(Draw(6, 0, 6, 4, imaging::SRCCOPY));
  EXPECT_EQ(canvas.pixel(11, 0), qRgb(0, 0, 255));
  EXPECT_GT(qGreen(canvas.pixel(6, 3)), 200);
  EXPECT_LT(qRed(canvas.pixel(6, 3)), 60);
  EXPECT_EQ(canvas.pixel(5, 0), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(6, 4), qRgb(255, 0, 0));
}

TEST_F(Drawing, ColourKeyLeavesTheTargetShowing) {
  ASSERT_TRUE(Draw(0, 0, -1, -1, -0xFFFFFF));  // white is transparent
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(1, 0), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(2, 0), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.pixel(0, 1), qRgb(0, 255, 0));
  EXPECT_EQ(canvas.pixel(2, 1), qRgb(255, 0, 0));
}

TEST_F(Drawing, RasterOperationsCombineWithTheTarget) {
  ASSERT_TRUE(Draw(0, 0, -1, -1, imaging::SRCAND));
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));  // white AND red
  EXPECT_EQ(canvas.pixel(2, 0), qRgb(0, 0, 0));    // blue AND red
  ASSERT_TRUE(Draw(0, 0, -1, -1, imaging::SRCINVERT));
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 255, 255));  // white XOR red
  const QImage before = canvas;
  EXPECT_FALSE(Draw(0, 0, -1, -1, 0x12345678));
  EXPECT_FALSE(Draw(0, 0, 0, 0, imaging::SRCCOPY));
  EXPECT_EQ(canvas, before);
}

TEST(DrawImage, IconsKeepTheirTransparency) {
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(qRgb(0, 0, 255));
  icon.setPixel(0, 0, qRgba(0, 0, 0, 0));
  const pb::Bytes file = pb::IconFile(1, {{16, 16, pb::IconBitmap(icon, 32)}});
  const auto image = Decode(file);
  ASSERT_NE(image, nullptr);
  QImage canvas(16, 16, QImage::Format_RGB32);
  canvas.fill(qRgb(255, 0, 0));
  {
    QPainter painter(&canvas);
    ASSERT_TRUE(imaging::DrawImage(*image, &painter, 0, 0, -1, -1, 0));
  }
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(canvas.pixel(1, 0), qRgb(0, 0, 255));
  const QImage bitmap = imaging::ImageToBitmap(file.data(), static_cast<std::int64_t>(file.size()), 0);
  EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 255, 255));  // icons always go on white
  EXPECT_EQ(bitmap.pixel(1, 0), qRgb(0, 0, 255));
}

TEST(ImageToBitmap, PreparesPicturesAgainstTheBackgroundOrGivesNull) {
  QImage picture(2, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
  picture.setPixel(1, 0, qRgba(9, 8, 7, 255));
  const pb::Bytes png = pb::Encode(picture, "png");
  const QImage bitmap = imaging::ImageToBitmap(png.data(), static_cast<std::int64_t>(png.size()));
  EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(bitmap.pixel(1, 0), qRgb(9, 8, 7));
  const std::uint8_t text[] = "plain text, no picture";
  EXPECT_TRUE(imaging::ImageToBitmap(text, sizeof text).isNull());
}

}  // namespace

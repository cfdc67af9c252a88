// Icon and cursor files: which entry is chosen, and how its transparency comes through.
#include <gtest/gtest.h>

#include "imaging/image.h"
#include "tests/imaging/picture_builders.h"

namespace pb = picture_builders;

namespace {

QImage Flat(int size, QRgb colour) {
  QImage picture(size, size, QImage::Format_ARGB32);
  picture.fill(colour);
  return picture;
}

QImage Load(const pb::Bytes& file, bool large) {
  return imaging::LoadIconOfSize(file.data(), static_cast<std::int64_t>(file.size()), large);
}

TEST(IconFile, ChoosesTheEntryOfTheWantedWidth) {
  const pb::Bytes file = pb::IconFile(1, {{16, 16, pb::IconBitmap(Flat(16, qRgb(255, 0, 0)), 32)},
                                          {32, 16, pb::IconBitmap(Flat(32, qRgb(0, 255, 0)), 32)},
                                          {48, 16, pb::IconBitmap(Flat(48, qRgb(0, 0, 255)), 32)}});
  const QImage large = Load(file, true), small = Load(file, false);
  EXPECT_EQ(large.size(), QSize(32, 32));
  EXPECT_EQ(large.pixel(5, 5), qRgb(0, 255, 0));
  EXPECT_EQ(small.size(), QSize(16, 16));
  EXPECT_EQ(small.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(IconFile, FallsBackToTheLastEntry) {
  const pb::Bytes file = pb::IconFile(1, {{48, 16, pb::IconBitmap(Flat(48, qRgb(255, 0, 0)), 32)},
                                          {48, 16, pb::IconBitmap(Flat(48, qRgb(0, 0, 255)), 32)}});
  const QImage icon = Load(file, true);
  EXPECT_EQ(icon.size(), QSize(48, 48));
  EXPECT_EQ(icon.pixel(1, 1), qRgb(0, 0, 255));
}

TEST(IconFile, AcceptsTheWantedWidthAtAnyColourDepth) {
  // Colour count 0 is what the directory says for 256 or more colours.
  const pb::Bytes file = pb::IconFile(1, {{32, 0, pb::IconBitmap(Flat(32, qRgb(0, 255, 0)), 32)},
                                          {48, 16, pb::IconBitmap(Flat(48, qRgb(0, 0, 255)), 32)}});
  EXPECT_EQ(Load(file, true).size(), QSize(32, 32));
}

TEST(IconFile, TakesTheFirstEntryOfTheWantedWidth) {
  // Two 32-pixel entries of different depths: the first is the one, whichever comes deeper.
  const pb::Bytes file = pb::IconFile(1, {{16, 16, pb::IconBitmap(Flat(16, qRgb(0, 0, 255)), 32)},
                                          {32, 16, pb::IconBitmap(Flat(32, qRgb(255, 0, 0)), 8)},
                                          {32, 0, pb::IconBitmap(Flat(32, qRgb(0, 255, 0)), 32)}});
  EXPECT_EQ(Load(file, true).pixel(7, 7), qRgb(255, 0, 0));
  const auto image = imaging::DecodeImage(file.data(), static_cast<std::int64_t>(file.size()));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->icon.pixel(7, 7), qRgb(255, 0, 0));
}

TEST(IconFile, TransparencyFromAlphaFromMaskAndFromPng) {
  QImage picture = Flat(16, qRgb(10, 20, 30));
  picture.setPixel(3, 4, qRgba(0, 0, 0, 0));
  picture.setPixel(15, 0, qRgba(0, 0, 0, 0));
  for (int bits : {8, 32}) {
    const QImage icon = Load(pb::IconFile(1, {{16, 0, pb::IconBitmap(picture, bits)}}), false);
    ASSERT_FALSE(icon.isNull()) << bits;
    EXPECT_EQ(icon.pixel(3, 4) >> 24, 0u) << bits;
    EXPECT_EQ(icon.pixel(15, 0) >> 24, 0u) << bits;
    EXPECT_EQ(icon.pixel(3, 5), qRgb(10, 20, 30)) << bits;
  }
  const QImage fromPng = Load(pb::IconFile(1, {{16, 0, pb::Encode(picture, "png")}}), false);
  EXPECT_EQ(fromPng.pixel(3, 4) >> 24, 0u);
  EXPECT_EQ(fromPng.pixel(0, 0), qRgb(10, 20, 30));
}

TEST(IconFile, DecodesAsIconOrCursorWithTheLargeEntry) {
  const std::vector<pb::IconEntry> entries = {{16, 16, pb::IconBitmap(Flat(16, qRgb(255, 0, 0)), 32)},
                                              {32, 16, pb::IconBitmap(Flat(32, qRgb(0, 255, 0)), 32)}};
  for (int type : {1, 2}) {
    const pb::Bytes file = pb::IconFile(type, entries);
    const auto image = imaging::DecodeImage(file.data(), static_cast<std::int64_t>(file.size()));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->kind, type == 1 ? imaging::kIco : imaging::kCur);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->icon.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_TRUE(image->pixels.empty());
  }
}

}  // namespace

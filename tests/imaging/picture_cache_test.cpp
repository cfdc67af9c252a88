// Pictures of lasting bytes are decoded and prepared once; any other bytes every time.
#include "imaging/picture_cache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A 2 x 1 BMP, 24 bits: a red pixel, then a blue one; in the program's image, as template data
// embedded in a program is.
const uint8_t kTwoPixels[] = {
    'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                                  // file header
    40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,        // info header
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                                  //
    0, 0, 255, 255, 0, 0, 0, 0};                                                     // B G R, B G R, padding

// A 1 x 1 PNG: red at half opacity, so its preparation depends on the background.
const uint8_t kHalfRed[] = {
    137, 80, 78, 71, 13, 10, 26, 10, 0, 0, 0, 13, 73, 72, 68, 82, 0, 0, 0, 1, 0, 0, 0, 1, 8, 6, 0, 0,
    0, 31, 21, 196, 137, 0, 0, 0, 13, 73, 68, 65, 84, 120, 156, 99, 248, 207, 192, 208, 0, 0, 4, 129,
    1, 128, 44, 85, 206, 176, 0, 0, 0, 0, 73, 69, 78, 68, 174, 66, 96, 130};

class PictureCacheTest : public testing::Test {
 protected:
  void TearDown() override { imaging::ReleasePictureCache(); }
};

TEST_F(PictureCacheTest, LastingBytesAreDecodedOnceAndSharedUntilReleased) {
  const std::span<const uint8_t> bytes(kTwoPixels);
  EXPECT_FALSE(imaging::IsLasting(bytes));
  imaging::AddLastingBytes(bytes);
  EXPECT_TRUE(imaging::IsLasting(bytes.subspan(2, 10)));
  EXPECT_FALSE(imaging::IsLasting(std::span<const uint8_t>(kTwoPixels + 1, sizeof kTwoPixels)));

  imaging::PreparedImage first, second;
  ASSERT_TRUE(imaging::PreparedPicture(bytes, 0xFFFFFF, &first));
  ASSERT_TRUE(imaging::PreparedPicture(bytes, 0xFFFFFF, &second));
  EXPECT_EQ(first.width, 2);
  EXPECT_EQ(first.bitmap.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(first.bitmap.pixel(1, 0), qRgb(0, 0, 255));
  EXPECT_EQ(second.bitmap.cacheKey(), first.bitmap.cacheKey()) << "the same bitmap, not a new one";

  // A picture that blends with its background is prepared once per background, decoded once.
  const std::span<const uint8_t> halfRed(kHalfRed);
  imaging::AddLastingBytes(halfRed);
  imaging::PreparedImage onWhite, onBlack, onWhiteAgain;
  ASSERT_TRUE(imaging::PreparedPicture(halfRed, 0xFFFFFF, &onWhite));
  ASSERT_TRUE(imaging::PreparedPicture(halfRed, 0x000000, &onBlack));
  ASSERT_TRUE(imaging::PreparedPicture(halfRed, 0xFFFFFF, &onWhiteAgain));
  EXPECT_NE(onBlack.bitmap.cacheKey(), onWhite.bitmap.cacheKey()) << "another background, another preparation";
  EXPECT_EQ(onWhiteAgain.bitmap.cacheKey(), onWhite.bitmap.cacheKey());
  EXPECT_EQ(qGreen(onWhite.bitmap.pixel(0, 0)), 127);
  EXPECT_EQ(qGreen(onBlack.bitmap.pixel(0, 0)), 0);
  EXPECT_EQ(imaging::CachedPictures(), 2u) << "each picture decoded once";

  int made = 0;
  auto make = [&made] {
    ++made;
    return QImage(1, 1, QImage::Format_ARGB32);
  };
  imaging::DerivedPicture(bytes, 7, make);
  imaging::DerivedPicture(bytes, 7, make);
  imaging::DerivedPicture(bytes, 8, make);
  EXPECT_EQ(made, 2);

  imaging::ReleasePictureCache();
  EXPECT_FALSE(imaging::IsLasting(bytes));
  EXPECT_EQ(imaging::CachedPictures(), 0u);
}

TEST_F(PictureCacheTest, APictureDecodedAheadIsDecodedOnceAndPreparedFromThatDecoding) {
  const std::span<const uint8_t> bytes(kTwoPixels), halfRed(kHalfRed);
  imaging::DecodeAhead(bytes);  // not lasting yet: nothing started, nothing kept
  EXPECT_EQ(imaging::CachedPictures(), 0u);
  imaging::AddLastingBytes(bytes);
  imaging::AddLastingBytes(halfRed);
  imaging::DecodeAhead(bytes);
  imaging::DecodeAhead(bytes);
  EXPECT_EQ(imaging::CachedPictures(), 1u) << "one decoding, however often it is asked for";
  imaging::PreparedImage prepared;
  ASSERT_TRUE(imaging::PreparedPicture(bytes, 0xFFFFFF, &prepared));
  EXPECT_EQ(prepared.bitmap.pixel(1, 0), qRgb(0, 0, 255));
  EXPECT_EQ(imaging::CachedPictures(), 1u);

  // Released while a worker may still be decoding: the release waits for it.
  imaging::DecodeAhead(halfRed);
  imaging::ReleasePictureCache();
  EXPECT_EQ(imaging::CachedPictures(), 0u);

  // Bytes that are no picture are decoded ahead to nothing, and refused when prepared.
  static const uint8_t kJunk[] = {1, 2, 3, 4};
  imaging::AddLastingBytes(kJunk);
  imaging::DecodeAhead(kJunk);
  EXPECT_FALSE(imaging::PreparedPicture(kJunk, 0, &prepared));
}

TEST_F(PictureCacheTest, BytesOutsideTheProgramImageAreNeverKept) {
  const std::vector<uint8_t> copy(std::begin(kTwoPixels), std::end(kTwoPixels));
  imaging::AddLastingBytes(copy);  // heap bytes may be freed and reused: refused
  EXPECT_FALSE(imaging::IsLasting(copy));
  imaging::PreparedImage first, second;
  ASSERT_TRUE(imaging::PreparedPicture(copy, 0xFFFFFF, &first));
  ASSERT_TRUE(imaging::PreparedPicture(copy, 0xFFFFFF, &second));
  EXPECT_NE(second.bitmap.cacheKey(), first.bitmap.cacheKey());
  EXPECT_EQ(imaging::CachedPictures(), 0u);

  const uint8_t junk[] = {1, 2, 3};
  imaging::PreparedImage none;
  EXPECT_FALSE(imaging::PreparedPicture(junk, 0, &none));
}

}  // namespace

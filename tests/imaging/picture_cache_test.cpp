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

  imaging::PreparedImage first, second, other;
  ASSERT_TRUE(imaging::PreparedPicture(bytes, 0xFFFFFF, &first));
  ASSERT_TRUE(imaging::PreparedPicture(bytes, 0xFFFFFF, &second));
  EXPECT_EQ(first.width, 2);
  EXPECT_EQ(first.bitmap.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(first.bitmap.pixel(1, 0), qRgb(0, 0, 255));
  EXPECT_EQ(second.bitmap.cacheKey(), first.bitmap.cacheKey()) << "the same bitmap, not a new one";
  ASSERT_TRUE(imaging::PreparedPicture(bytes, 0x000000, &other));
  EXPECT_NE(other.bitmap.cacheKey(), first.bitmap.cacheKey()) << "another background, another preparation";
  EXPECT_EQ(imaging::CachedPictures(), 1u) << "decoded once for both";

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

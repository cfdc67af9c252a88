#include <gtest/gtest.h>

#include <vector>

#include "imaging/image.h"

using imaging::ImageKind;
using imaging::RecogniseImage;

namespace {

ImageKind Recognise(std::vector<std::uint8_t> head) {
  return RecogniseImage(head.data(), static_cast<std::int64_t>(head.size()));
}

TEST(RecogniseImage, SignaturesGiveTheirKinds) {
  EXPECT_EQ(Recognise({'B', 'M', 0, 0, 0, 0}), imaging::kBmp);
  EXPECT_EQ(Recognise({0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10}), imaging::kJpeg);
  EXPECT_EQ(Recognise({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), imaging::kPng);
  EXPECT_EQ(Recognise({0, 0, 1, 0, 1, 0}), imaging::kIco);
  EXPECT_EQ(Recognise({0, 0, 2, 0, 3, 0}), imaging::kCur);
  EXPECT_EQ(Recognise({'G', 'I', 'F', '8', '7', 'a'}), imaging::kGif);
  EXPECT_EQ(Recognise({'G', 'I', 'F', '8', '9', 'a', 1, 0}), imaging::kGif);
  EXPECT_EQ(Recognise({10, 5, 1, 8, 0, 0}), imaging::kPcx8);
  EXPECT_EQ(Recognise({10, 0, 1, 8, 0, 0}), imaging::kPcx8);
  EXPECT_EQ(Recognise({10, 3, 1, 1, 0, 0}), imaging::kPcx1);
}

TEST(RecogniseImage, NearMissesAreNotPictures) {
  EXPECT_EQ(Recognise({0, 0, 1, 0, 0, 0}), imaging::kNotPicture);  // icon without entries
  EXPECT_EQ(Recognise({0, 0, 3, 0, 1, 0}), imaging::kNotPicture);
  EXPECT_EQ(Recognise({'G', 'I', 'F', '8', '8', 'a'}), imaging::kNotPicture);
  EXPECT_EQ(Recognise({10, 6, 1, 8, 0, 0}), imaging::kNotPicture);  // PCX version too new
  EXPECT_EQ(Recognise({10, 5, 0, 8, 0, 0}), imaging::kNotPicture);  // not run-length
  EXPECT_EQ(Recognise({10, 5, 1, 1, 0, 0}), imaging::kNotPicture);  // 1 bit needs version 3
  EXPECT_EQ(Recognise({10, 3, 1, 4, 0, 0}), imaging::kNotPicture);
  EXPECT_EQ(Recognise({'P', 'K', 3, 4, 0, 0, 0, 0}), imaging::kNotPicture);
}

TEST(RecogniseImage, NeedsSixBytes) {
  // Five bytes are never enough, whatever they hold; the sixth makes the same bytes a picture.
  for (const std::vector<std::uint8_t>& head : {std::vector<std::uint8_t>{'B', 'M', 0, 0, 0, 0},
                                               {0xFF, 0xD8, 0xFF, 0xE0, 0, 0},
                                               {0x89, 'P', 'N', 'G', 0x0D, 0x0A},
                                               {'G', 'I', 'F', '8', '9', 'a'}}) {
    EXPECT_NE(RecogniseImage(head.data(), 6), imaging::kNotPicture);
    EXPECT_EQ(RecogniseImage(head.data(), 5), imaging::kNotPicture);
  }
  EXPECT_EQ(RecogniseImage(nullptr, 8), imaging::kNotPicture);
  EXPECT_EQ(imaging::DecodeImage(nullptr, 0), nullptr);
}

}  // namespace

#include "platform/little_endian.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using platform::ByteCursor;

TEST(LittleEndian, WordsKeepTheirHighBytesAndSign) {
  const std::array<uint8_t, 4> bytes = {0xFE, 0xFF, 0x80, 0xC1};
  EXPECT_EQ(platform::LoadU16(bytes.data()), 0xFFFEu);
  EXPECT_EQ(platform::LoadU32(bytes.data()), 0xC180FFFEu);
  EXPECT_EQ(platform::LoadI32(bytes.data()), static_cast<int32_t>(0xC180FFFEu));

  std::array<uint8_t, 6> stored{};
  platform::StoreU16(stored.data(), 0xBEEF);
  platform::StoreI32(stored.data() + 2, -2);
  EXPECT_EQ(stored, (std::array<uint8_t, 6>{0xEF, 0xBE, 0xFE, 0xFF, 0xFF, 0xFF}));

  std::vector<uint8_t> out = {7};
  platform::AppendU32(out, 0x01020304);
  platform::AppendLittle(out, 0xAABBCCDD, 2);
  platform::AppendLittle(out, 0x1FF, 1);
  EXPECT_EQ(out, (std::vector<uint8_t>{7, 4, 3, 2, 1, 0xDD, 0xCC, 0xFF}));
}

TEST(LittleEndian, CursorReadsUpToTheExactEndAndNotOneByteFurther) {
  const std::array<uint8_t, 7> bytes = {1, 0, 0, 0, 2, 0, 9};
  ByteCursor cursor(bytes);
  uint32_t word = 0;
  uint16_t half = 0;
  ASSERT_TRUE(cursor.ReadU32(word));
  ASSERT_TRUE(cursor.ReadU16(half));
  EXPECT_EQ(word, 1u);
  EXPECT_EQ(half, 2u);
  // One byte left: every wider read fails and leaves the cursor where it was.
  EXPECT_FALSE(cursor.ReadU16(half));
  EXPECT_FALSE(cursor.ReadU32(word));
  EXPECT_FALSE(cursor.Skip(2));
  EXPECT_EQ(cursor.Position(), 6u);
  EXPECT_EQ(half, 2u);
  ASSERT_TRUE(cursor.Skip(1));
  EXPECT_EQ(cursor.Remaining(), 0u);
  EXPECT_FALSE(cursor.Skip(1));

  // A cursor started past the end has nothing to read.
  ByteCursor past(bytes, 100);
  EXPECT_EQ(past.Remaining(), 0u);
  EXPECT_FALSE(past.ReadU16(half));
}

TEST(LittleEndian, BlockLengthsAreNeverTrustedBeyondTheData) {
  std::span<const uint8_t> block;
  // The length says three bytes, three follow: the whole block, ending exactly at the end.
  const std::array<uint8_t, 7> exact = {3, 0, 0, 0, 'a', 'b', 'c'};
  ByteCursor whole(exact);
  ASSERT_TRUE(whole.ReadBlock(block));
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(block.data()), block.size()), "abc");
  EXPECT_EQ(whole.Remaining(), 0u);

  // One byte short, and a length near 4 GiB that would wrap a careless sum.
  const std::array<uint8_t, 6> shortBlock = {3, 0, 0, 0, 'a', 'b'};
  EXPECT_FALSE(ByteCursor(shortBlock).ReadBlock(block));
  const std::array<uint8_t, 6> huge = {0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'};
  EXPECT_FALSE(ByteCursor(huge).ReadBlock(block));

  // Zero and negative lengths are empty blocks.
  const std::array<uint8_t, 5> negative = {0xFF, 0xFF, 0xFF, 0xFF, 'x'};
  ByteCursor empty(negative);
  ASSERT_TRUE(empty.ReadBlock(block));
  EXPECT_TRUE(block.empty());
  EXPECT_EQ(empty.Remaining(), 1u);
}

TEST(LittleEndian, TextsNeedTheirTerminatorInsideTheData) {
  const std::array<uint8_t, 5> bytes = {'h', 'i', 0, 'n', 'o'};
  ByteCursor cursor(bytes);
  std::string_view text;
  ASSERT_TRUE(cursor.ReadZText(text));
  EXPECT_EQ(text, "hi");
  EXPECT_EQ(cursor.Position(), 3u);
  EXPECT_FALSE(cursor.ReadZText(text));  // "no" runs to the end without a terminator
  EXPECT_EQ(cursor.Position(), 3u);
  ASSERT_TRUE(cursor.Skip(2));
  EXPECT_FALSE(cursor.ReadZText(text));
}

}  // namespace

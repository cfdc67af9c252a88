#include "platform/font_record.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "platform/gbk.h"

namespace {

TEST(FontRecord, ReadsAndWritesTheSixtyByteLayout) {
  platform::FontRecord record;
  record.height = -16;
  record.escapement = 900;
  record.weight = 700;
  record.italic = 1;
  record.charSet = 134;
  record.faceName = platform::Utf8ToGbk("宋体");
  auto bytes = record.Bytes();
  EXPECT_EQ(bytes[0], 0xF0);  // -16, little-endian
  EXPECT_EQ(bytes[16], 0xBC);  // 700
  EXPECT_EQ(bytes[20], 1);
  platform::FontRecord back;
  ASSERT_TRUE(platform::FontRecord::Parse(bytes, &back));
  EXPECT_EQ(back.height, -16);
  EXPECT_EQ(back.escapement, 900);
  EXPECT_EQ(back.faceName, record.faceName);
  EXPECT_EQ(back.PointSize(), 12);
  EXPECT_FALSE(platform::FontRecord::Parse(std::span<const uint8_t>(bytes.data(), 59), &back));
}

TEST(FontRecord, AFaceNameWithoutTerminatorStopsAtItsField) {
  std::array<uint8_t, platform::kFontRecordSize> bytes{};
  bytes.fill('A');
  platform::FontRecord record;
  ASSERT_TRUE(platform::FontRecord::Parse(bytes, &record));
  EXPECT_EQ(record.faceName.size(), 32u);
  EXPECT_EQ(record.Bytes()[59], 0);  // written back terminated within its 32 bytes
}

// The forms give 9-point text 12-pixel lines, as the classic Song face sets it: five lines of the
// main window's note fit its 64-pixel label.
TEST(DefaultGuiFont, SetsNinePointTextOnTwelvePixelLines) {
  QFont font = platform::DefaultGuiFont();
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_LE(QFontMetrics(font).lineSpacing(), 13);
  platform::FontRecord song;
  song.height = -12;
  song.faceName = platform::Utf8ToGbk("宋体");
  EXPECT_EQ(QFontInfo(platform::ToQFont(song)).family(), QFontInfo(font).family());
}

}  // namespace

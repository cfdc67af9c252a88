#include "contract/property_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "base/program/memory.h"

namespace units {
namespace {

// A property object with a field of every kind, grown over three versions.
struct SampleProperties : PropertyObject {
  int32_t style;
  uint32_t color;
  uint16_t passwordChar;
  std::vector<uint8_t> font;
  std::string title;
  std::string dataSource;  // version 2
  int32_t shape;           // version 3

  SampleProperties() { Reset(); }

  void Reset() override {
    style = 1;
    color = 0xFF000000;
    passwordChar = '*';
    font.clear();
    title = "default";
    dataSource = "source";
    shape = 3;
  }

  void Serialise(PropertyArchive& a) override {
    a.Version(3);
    a.Int32(style);
    a.UInt32(color);
    a.Char16(passwordChar);
    a.Bytes(font);
    a.Text(title);
    if (a.Since(2)) a.Text(dataSource);
    if (a.Since(3)) a.Int32(shape);
  }
};

// Builds stored property data by hand.
struct Stream {
  std::vector<uint8_t> bytes;
  Stream& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  Stream& U16(uint16_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Stream& Counted(const std::string& s) {
    U32(static_cast<uint32_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
  }
  // Version 1 fields with the given title.
  static Stream Version1(const std::string& title) {
    Stream s;
    s.U32(1).U32(0xFFFFFFFE).U32(0x00C0FFEE).U16(0x25CF).U32(3);
    s.bytes.insert(s.bytes.end(), {1, 2, 3});
    s.Counted(title);
    return s;
  }
  bool ReadInto(SampleProperties& p) const {
    return ReadPropertyData(p, bytes.data(), static_cast<int32_t>(bytes.size()));
  }
};

TEST(PropertyData, WritesTheCurrentVersionLittleEndianAndReadsItBack) {
  SampleProperties p;
  p.style = -2;
  p.color = 0x00C0FFEE;
  p.passwordChar = 0x25CF;
  p.font = {1, 2, 3};
  p.title = "\xb1\xea\xcc\xe2";  // GBK bytes pass through untouched
  p.dataSource = "";
  p.shape = 29;
  std::vector<uint8_t> written;
  ASSERT_TRUE(WritePropertyData(p, written));

  Stream expected = Stream::Version1("\xb1\xea\xcc\xe2");
  expected.bytes[0] = 3;
  expected.Counted("").U32(29);
  EXPECT_EQ(written, expected.bytes);

  SampleProperties back;
  ASSERT_TRUE(expected.ReadInto(back));
  EXPECT_EQ(back.style, -2);
  EXPECT_EQ(back.color, 0x00C0FFEEu);
  EXPECT_EQ(back.passwordChar, 0x25CF);
  EXPECT_EQ(back.font, (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(back.title, "\xb1\xea\xcc\xe2");
  EXPECT_EQ(back.dataSource, "");
  EXPECT_EQ(back.shape, 29);
}

TEST(PropertyData, NoDataMeansEveryDefault) {
  SampleProperties p;
  p.title = "changed";
  EXPECT_TRUE(ReadPropertyData(p, nullptr, 100));
  EXPECT_EQ(p.title, "default");
  p.shape = 9;
  const uint8_t one[] = {1};
  EXPECT_TRUE(ReadPropertyData(p, one, 0));
  EXPECT_TRUE(ReadPropertyData(p, one, -5));
  EXPECT_EQ(p.shape, 3);
}

// An older version leaves the later fields at their defaults, and writing afterwards brings the
// data up to the current version with every field.
TEST(PropertyData, OlderVersionKeepsLaterDefaultsAndIsWrittenCurrent) {
  SampleProperties p;
  p.dataSource = "stale";
  ASSERT_TRUE(Stream::Version1("t").ReadInto(p));
  EXPECT_EQ(p.title, "t");
  EXPECT_EQ(p.dataSource, "source");
  EXPECT_EQ(p.shape, 3);

  std::vector<uint8_t> written;
  ASSERT_TRUE(WritePropertyData(p, written));
  Stream current = Stream::Version1("t");
  current.bytes[0] = 3;
  current.Counted("source").U32(3);
  EXPECT_EQ(written, current.bytes);
}

// Refused data leaves the object at its defaults rather than half read.
TEST(PropertyData, RefusesDataItCannotReadFaithfully) {
  SampleProperties p;
  for (uint32_t version : {4u, 0x80000000u, 0xFFFFFFFFu}) {
    Stream s = Stream::Version1("t");
    for (int i = 0; i < 4; ++i) s.bytes[i] = static_cast<uint8_t>(version >> (8 * i));
    EXPECT_FALSE(s.ReadInto(p)) << version;
  }

  // A text count running past the end, by one byte and by far.
  Stream shortText = Stream::Version1("title");
  shortText.bytes.pop_back();
  EXPECT_FALSE(shortText.ReadInto(p));
  Stream hugeText;
  hugeText.U32(1).U32(0).U32(0).U16(0).U32(0).U32(0x7FFFFFFF);
  hugeText.bytes.insert(hugeText.bytes.end(), 16, 'x');
  EXPECT_FALSE(hugeText.ReadInto(p));

  // A byte-data count running past the end, before any text.
  Stream shortBytes;
  shortBytes.U32(1).U32(0).U32(0).U16(0).U32(1000).U32(0);
  EXPECT_FALSE(shortBytes.ReadInto(p));

  // The data ends inside a fixed field.
  Stream cut = Stream::Version1("t");
  cut.bytes.resize(6);
  EXPECT_FALSE(cut.ReadInto(p));

  // Fields read before the failure do not stay behind.
  Stream partial = Stream::Version1("t");
  partial.bytes[0] = 2;
  partial.Counted("source");
  partial.bytes.pop_back();
  p.style = 5;
  EXPECT_FALSE(partial.ReadInto(p));
  EXPECT_EQ(p.style, 1);
  EXPECT_EQ(p.color, 0xFF000000u);
  EXPECT_EQ(p.title, "default");
}

TEST(PropertyData, NegativeCountsAreEmptyAndReadingGoesOn) {
  Stream s;
  s.U32(2).U32(4).U32(0).U16(0).U32(0xFFFFFFFF).U32(0x80000000).Counted("ds");
  SampleProperties p;
  p.font = {9};
  ASSERT_TRUE(s.ReadInto(p));
  EXPECT_TRUE(p.font.empty());
  EXPECT_EQ(p.title, "");
  EXPECT_EQ(p.dataSource, "ds");
  EXPECT_EQ(p.style, 4);
}

// A picture read with its source names the very bytes of the data it came from, so that it can
// be decoded once for data the program keeps; a picture that does not fit leaves no source.
TEST(PropertyData, ReadBytesNameWhereTheyLay) {
  struct Pictured : PropertyObject {
    std::vector<uint8_t> picture;
    std::span<const uint8_t> source;
    int32_t after = 0;
    void Reset() override {
      picture.clear();
      source = {};
      after = 0;
    }
    void Serialise(PropertyArchive& a) override {
      a.Version(1);
      a.Bytes(picture, source);
      a.Int32(after);
    }
  } p;
  Stream s;
  s.U32(1).U32(3);
  s.bytes.insert(s.bytes.end(), {7, 8, 9});
  s.U32(42);
  ASSERT_TRUE(ReadPropertyData(p, s.bytes.data(), static_cast<int32_t>(s.bytes.size())));
  EXPECT_EQ(p.picture, (std::vector<uint8_t>{7, 8, 9}));
  EXPECT_EQ(p.source.data(), s.bytes.data() + 8);
  EXPECT_EQ(p.source.size(), 3u);
  EXPECT_EQ(p.after, 42);
  std::vector<uint8_t> written;
  ASSERT_TRUE(WritePropertyData(p, written));
  EXPECT_EQ(written, s.bytes);

  s.bytes.resize(10);  // the picture runs past the end
  EXPECT_FALSE(ReadPropertyData(p, s.bytes.data(), static_cast<int32_t>(s.bytes.size())));
  EXPECT_TRUE(p.source.empty());
  EXPECT_TRUE(p.picture.empty());
}

TEST(PropertyData, BlockHoldsExactlyTheWrittenBytes) {
  SampleProperties p;
  p.title = std::string(5000, 'a');  // more than one growth step
  std::vector<uint8_t> written;
  ASSERT_TRUE(WritePropertyData(p, written));
  int32_t length = -1;
  void* block = WritePropertyBlock(p, &length);
  ASSERT_NE(block, nullptr);
  ASSERT_EQ(length, static_cast<int32_t>(written.size()));
  EXPECT_EQ(std::memcmp(block, written.data(), written.size()), 0);
  runtime::Free(block);

  struct Silent : PropertyObject {
    void Reset() override {}
    void Serialise(PropertyArchive&) override {}
  } silent;
  length = -1;
  EXPECT_EQ(WritePropertyBlock(silent, &length), nullptr);
  EXPECT_EQ(length, 0);
}

}  // namespace
}  // namespace units

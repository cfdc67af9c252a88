#include <cmath>
#include <string>

#include "platform/gbk.h"
#include "base/values/full_width.h"
#include "tests/base/values/command_call.h"

namespace values_test {
namespace {

std::string Folded(const char* utf8, bool dropBlanks) {
  const std::string gbk = platform::Utf8ToGbk(utf8);
  runtime::FullWidthReader reader(gbk.c_str(), dropBlanks);
  std::string out;
  for (int c = reader.Next(); c >= 0; c = reader.Next()) out += static_cast<char>(c);
  return platform::GbkToUtf8(out);
}

TEST(ToInteger, ReadsTextAsWrappingDecimalAfterFolding) {
  const struct {
    const char* utf8;
    int32_t number;
  } cases[] = {{"  42abc", 42}, {"12.9", 12}, {"  -7x", -7}, {"\t\n\v\f\r+9", 9}, {"abc", 0}, {"+-3", 0},
               {"- 3", 0}, {"", 0}, {"2147483648", INT32_MIN}, {"4294967295", -1}, {"4294967296", 0},
               {"-4294967297", -1}, {"１２", 12}, {"　－３４", -34}, {"1２3元", 123}, {"价格５", 0}};
  for (const auto& c : cases) {
    const std::string gbk = platform::Utf8ToGbk(c.utf8);
    EXPECT_EQ(IntegerOf(Value(type::kText, gbk.c_str())), c.number) << c.utf8;
  }
  EXPECT_EQ(IntegerOf(Value(type::kText, "12\xA3")), 12);  // a lead byte cut off by the end
  EXPECT_EQ(IntegerOf(Value(type::kText, static_cast<const char*>(nullptr))), 0);
}

TEST(FullWidthReader, FoldsOnlyTheAsciiLookAlikes) {
  EXPECT_EQ(Folded("！ａＺ￣～☆★　啊、“", false), "!aZ~~** 啊、“");
  EXPECT_EQ(Folded("１ ２　３\t４", true), "1234");
  EXPECT_EQ(Folded("１ ２　３\t４", false), "1 2 3\t4");
}

TEST(ToInteger, TruncatesNumbersAndKeepsTheLow32Bits) {
  EXPECT_EQ(IntegerOf(Value(type::kDouble, 2.9)), 2);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, -2.9)), -2);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, 4294967297.5)), 1);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, -4294967297.5)), -1);
  EXPECT_EQ(IntegerOf(Value(type::kFloat, -1.5f)), -1);
  for (double outside : {0x1p63, -1e19, HUGE_VAL, std::nan("")}) {
    EXPECT_EQ(IntegerOf(Value(type::kDouble, outside)), 0) << outside;
  }
  EXPECT_EQ(IntegerOf(Value(type::kByte, uint8_t{255})), 255);
  EXPECT_EQ(IntegerOf(Value(type::kShort, int16_t{-2})), -2);
  EXPECT_EQ(IntegerOf(Value(type::kInt64, int64_t{0x100000005})), 5);
  EXPECT_EQ(IntegerOf(Value(type::kBool, int32_t{7})), 7);
  EXPECT_EQ(IntegerOf(Value(type::kRoutine, uint64_t{0x1234567880000001})), int32_t(0x80000001));
  for (uint32_t other : {type::kNone, type::kDateTime, type::kByteData, type::kInt | type::kArrayBit, 0x40001u}) {
    EXPECT_EQ(IntegerOf(Value(other, 42.0)), 0) << std::hex << other;
  }
}

TEST(NumberToIntegerDeathTest, ConvertsNumbersOnly) {
  EXPECT_EQ(runtime::NumberToInteger(Value(type::kByte, uint8_t{200})), 200);
  EXPECT_EQ(runtime::NumberToInteger(Value(type::kInt64, int64_t{0x700000009})), 9);
  EXPECT_EQ(runtime::NumberToInteger(Value(type::kDouble, -7.8)), -7);
  EXPECT_EXIT(runtime::NumberToInteger(Value(type::kBool, int32_t{1})), testing::ExitedWithCode(255),
              "欲转换数据类型不是数值");
  EXPECT_EXIT(runtime::NumberToInteger(Value(type::kInt | type::kArrayBit, int32_t{0})),
              testing::ExitedWithCode(255), "欲转换数据类型不是数值");
}

}  // namespace
}  // namespace values_test

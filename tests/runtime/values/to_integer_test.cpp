#include <cmath>
#include <limits>
#include <string>

#include "platform/gbk.h"
#include "runtime/values/full_width.h"
#include "tests/runtime/values/command_call.h"

namespace values_test {
namespace {

namespace type = runtime::type;

int32_t IntegerOfText(const std::string& gbk) { return IntegerOf(Value(type::kText, gbk.c_str())); }
int32_t IntegerOfUtf8(const char* utf8) { return IntegerOfText(platform::Utf8ToGbk(utf8)); }

std::string Folded(const std::string& gbk, bool dropBlanks) {
  runtime::FullWidthReader reader(gbk.c_str(), dropBlanks);
  std::string out;
  for (int c = reader.Next(); c >= 0; c = reader.Next()) out += static_cast<char>(c);
  return out;
}

TEST(ToIntegerText, ReadsLeadingDecimalNumber) {
  EXPECT_EQ(IntegerOfText("  42abc"), 42);
  EXPECT_EQ(IntegerOfText("12.9"), 12);
  EXPECT_EQ(IntegerOfText("  -7x"), -7);
  EXPECT_EQ(IntegerOfText("+15"), 15);
  EXPECT_EQ(IntegerOfText("\t\n\v\f\r9"), 9);
  EXPECT_EQ(IntegerOfText("abc"), 0);
  EXPECT_EQ(IntegerOfText("+-3"), 0);
  EXPECT_EQ(IntegerOfText("- 3"), 0);
  EXPECT_EQ(IntegerOfText("-"), 0);
  EXPECT_EQ(IntegerOfText(""), 0);
  EXPECT_EQ(IntegerOf(Value(type::kText, static_cast<const char*>(nullptr))), 0);
}

TEST(ToIntegerText, WrapsAroundModulo2To32) {
  EXPECT_EQ(IntegerOfText("2147483647"), 2147483647);
  EXPECT_EQ(IntegerOfText("2147483648"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(IntegerOfText("-2147483648"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(IntegerOfText("4294967295"), -1);
  EXPECT_EQ(IntegerOfText("4294967296"), 0);
  EXPECT_EQ(IntegerOfText("4294967301"), 5);
  EXPECT_EQ(IntegerOfText("-4294967297"), -1);
}

TEST(ToIntegerText, FoldsFullWidthForms) {
  EXPECT_EQ(IntegerOfUtf8("１２"), 12);
  EXPECT_EQ(IntegerOfUtf8("　－３４"), -34);  // ideographic space, full-width minus
  EXPECT_EQ(IntegerOfUtf8("＋７８元"), 78);
  EXPECT_EQ(IntegerOfUtf8("1２3"), 123);
  EXPECT_EQ(IntegerOfUtf8("价格５"), 0);
  // A lead byte without its trail byte ends the text.
  EXPECT_EQ(IntegerOfText("12\xA3"), 12);
  EXPECT_EQ(IntegerOfText("\xA3"), 0);
}

TEST(FullWidthReader, FoldsOnlyTheAsciiLookAlikes) {
  EXPECT_EQ(Folded(platform::Utf8ToGbk("！ａＺ￣～☆★　"), false), "!aZ~~** ");
  // Other double-byte characters, including those sharing a lead byte with folded ones, stay.
  const std::string kept = platform::Utf8ToGbk("啊、“");
  EXPECT_EQ(Folded(kept, false), kept);
  EXPECT_EQ(Folded("a\xB0", false), "a");
  EXPECT_EQ(Folded(platform::Utf8ToGbk("１ ２　３\t４"), true), "1234");
  EXPECT_EQ(Folded(platform::Utf8ToGbk("１ ２　３\t４"), false), "1 2 3\t4");
  runtime::FullWidthReader absent(nullptr, false);
  EXPECT_EQ(absent.Next(), -1);
}

TEST(ToIntegerNumbers, TruncatesTowardZeroThenKeepsLow32Bits) {
  EXPECT_EQ(IntegerOf(Value(type::kDouble, 2.9)), 2);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, -2.9)), -2);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, 4294967297.5)), 1);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, -4294967297.5)), -1);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, 0x1p62)), 0);
  EXPECT_EQ(IntegerOf(Value(type::kFloat, 3.99f)), 3);
  EXPECT_EQ(IntegerOf(Value(type::kFloat, -1.5f)), -1);
}

TEST(ToIntegerNumbers, OutOfRangeAndNotANumberGiveZero) {
  EXPECT_EQ(IntegerOf(Value(type::kDouble, 0x1p63)), 0);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, 1e300)), 0);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, -1e19)), 0);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, std::nan(""))), 0);
  EXPECT_EQ(IntegerOf(Value(type::kDouble, -HUGE_VAL)), 0);
  EXPECT_EQ(IntegerOf(Value(type::kFloat, 1e30f)), 0);
  // The lowest 64-bit value itself is in range.
  EXPECT_EQ(IntegerOf(Value(type::kDouble, -0x1p63 + 0x1p40)), 0);
}

TEST(ToIntegerNumbers, WidensSmallTypesByTheirSignedness) {
  EXPECT_EQ(IntegerOf(Value(type::kByte, uint8_t{255})), 255);
  EXPECT_EQ(IntegerOf(Value(type::kShort, int16_t{-2})), -2);
  EXPECT_EQ(IntegerOf(Value(type::kInt, int32_t{-123456})), -123456);
  EXPECT_EQ(IntegerOf(Value(type::kInt64, int64_t{0x100000005})), 5);
  EXPECT_EQ(IntegerOf(Value(type::kInt64, int64_t{-3})), -3);
  EXPECT_EQ(IntegerOf(Value(type::kBool, int32_t{7})), 7);
  EXPECT_EQ(IntegerOf(Value(type::kRoutine, uint64_t{0x1234567880000001})), int32_t(0x80000001));
}

TEST(ToIntegerNumbers, OtherTypesGiveZero) {
  EXPECT_EQ(IntegerOf(Value(type::kDateTime, 42005.5)), 0);
  EXPECT_EQ(IntegerOf(Value(type::kNone, int32_t{9})), 0);
  EXPECT_EQ(IntegerOf(Value(type::kInt | type::kArrayBit, int32_t{9})), 0);
  EXPECT_EQ(IntegerOf(Value(type::kByteData, int32_t{9})), 0);
  EXPECT_EQ(IntegerOf(Value(0x40001u, uint64_t{0x1600000152000001})), 0);
  ValueRecord result = runtime::MakeValue(type::kNone);
  runtime::ToInteger(&result, 0, nullptr);
  EXPECT_EQ(result.i64, 0);
}

TEST(NumberToInteger, ConvertsNumbersOnly) {
  EXPECT_EQ(runtime::NumberToInteger(Value(type::kByte, uint8_t{200})), 200);
  EXPECT_EQ(runtime::NumberToInteger(Value(type::kShort, int16_t{-300})), -300);
  EXPECT_EQ(runtime::NumberToInteger(Value(type::kInt64, int64_t{0x700000009})), 9);
  EXPECT_EQ(runtime::NumberToInteger(Value(type::kDouble, -7.8)), -7);
  EXPECT_EQ(runtime::NumberToInteger(Value(type::kFloat, std::nanf(""))), 0);
}

TEST(NumberToIntegerDeathTest, OtherTypesEndTheProgram) {
  const char* kMessage = "欲转换数据类型不是数值";
  EXPECT_EXIT(runtime::NumberToInteger(Value(type::kBool, int32_t{1})), testing::ExitedWithCode(255),
              kMessage);
  EXPECT_EXIT(runtime::NumberToInteger(Value(type::kText, "5")), testing::ExitedWithCode(255), kMessage);
  EXPECT_EXIT(runtime::NumberToInteger(Value(type::kInt | type::kArrayBit, int32_t{0})),
              testing::ExitedWithCode(255), kMessage);
}

}  // namespace
}  // namespace values_test

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/gbk.h"
#include "runtime/values/number_text.h"
#include "tests/runtime/values/command_call.h"

namespace values_test {
namespace {

namespace type = runtime::type;

std::string TextOfDouble(double d) { return TextOf(Value(type::kDouble, d)); }
std::string TextOfFloat(float f) { return TextOf(Value(type::kFloat, f)); }
std::string TextOfBlock(uint32_t typeCode, const std::vector<int32_t>& words) {
  return TextOf(Value(typeCode, static_cast<const void*>(words.data())));
}
// Four bytes as one block word, first byte lowest.
constexpr int32_t Word(char a, char b, char c, char d) {
  return static_cast<int32_t>(uint8_t(a) | uint8_t(b) << 8 | uint8_t(c) << 16 | uint32_t(uint8_t(d)) << 24);
}

TEST(ToTextDouble, WritesThirteenSignificantDigits) {
  EXPECT_EQ(TextOfDouble(2.5), "2.5");
  EXPECT_EQ(TextOfDouble(1.0 / 3), "0.3333333333333");
  EXPECT_EQ(TextOfDouble(2.0 / 3), "0.6666666666667");
  EXPECT_EQ(TextOfDouble(100), "100");
  EXPECT_EQ(TextOfDouble(-1.5), "-1.5");
  EXPECT_EQ(TextOfDouble(1234567890123), "1234567890123");
  EXPECT_EQ(TextOfDouble(0.1 + 0.2), "0.3");
  EXPECT_EQ(TextOfDouble(0.0001), "0.0001");
  // Rounding at the 13th digit can carry into a new digit and so into exponent form.
  EXPECT_EQ(TextOfDouble(9999999999999.5), "1e+013");
  EXPECT_EQ(TextOfDouble(0.99999999999996), "1");
}

TEST(ToTextDouble, WritesExponentsWithAtLeastThreeDigits) {
  EXPECT_EQ(TextOfDouble(1e13), "1e+013");
  EXPECT_EQ(TextOfDouble(1.0 / 20000), "5e-005");
  EXPECT_EQ(TextOfDouble(1e20), "1e+020");
  EXPECT_EQ(TextOfDouble(-1.25e-7), "-1.25e-007");
  EXPECT_EQ(TextOfDouble(1e100), "1e+100");
  EXPECT_EQ(TextOfDouble(-2.5e-300), "-2.5e-300");
  EXPECT_EQ(TextOfDouble(std::numeric_limits<double>::max()), "1.797693134862e+308");
  EXPECT_EQ(TextOfDouble(std::numeric_limits<double>::denorm_min()), "4.940656458412e-324");
}

TEST(ToTextDouble, WritesSoundTextsForSpecialValues) {
  EXPECT_EQ(TextOfDouble(0.0), "0");
  EXPECT_EQ(TextOfDouble(-0.0), "0");
  EXPECT_EQ(TextOfDouble(HUGE_VAL), "inf");
  EXPECT_EQ(TextOfDouble(-HUGE_VAL), "-inf");
  EXPECT_EQ(TextOfDouble(-std::nan("")), "nan");
  EXPECT_EQ(TextOfFloat(-0.0f), "0");
  EXPECT_EQ(TextOfFloat(-HUGE_VALF), "-inf");
}

TEST(ToTextFloat, RoundsToSixDigitsFirst) {
  EXPECT_EQ(runtime::RoundToSixDigits(0.1f), 0.1);
  EXPECT_EQ(TextOfFloat(0.1f), "0.1");
  EXPECT_EQ(TextOfFloat(-0.3f), "-0.3");
  EXPECT_EQ(TextOfFloat(1.0f / 3), "0.333333");
  EXPECT_EQ(TextOfFloat(2.5f), "2.5");
  EXPECT_EQ(TextOfFloat(100.0f), "100");
  EXPECT_EQ(TextOfFloat(3.14159265f), "3.14159");
  EXPECT_EQ(TextOfFloat(999999.6f), "1e+006");
  EXPECT_EQ(TextOfFloat(16777217.0f), "1.67772e+007");
  EXPECT_EQ(TextOfFloat(1e20f), "1e+020");
  EXPECT_EQ(TextOfFloat(1.5e-5f), "1.5e-005");
  EXPECT_EQ(TextOfFloat(std::numeric_limits<float>::max()), "3.40282e+038");
}

TEST(ToTextFloat, KeepsSubnormalFloats) {
  EXPECT_EQ(TextOfFloat(1e-40f), "9.99995e-041");  // the float nearest to 1e-40
  EXPECT_EQ(TextOfFloat(-std::numeric_limits<float>::denorm_min()), "-1.4013e-045");
}

TEST(ToTextScalars, WritesIntegersInDecimal) {
  EXPECT_EQ(TextOf(Value(type::kByte, uint8_t{255})), "255");
  EXPECT_EQ(TextOf(Value(type::kShort, int16_t{-32768})), "-32768");
  EXPECT_EQ(TextOf(Value(type::kInt, int32_t{0})), "0");
  EXPECT_EQ(TextOf(Value(type::kInt, std::numeric_limits<int32_t>::min())), "-2147483648");
  EXPECT_EQ(TextOf(Value(type::kInt64, std::numeric_limits<int64_t>::min())), "-9223372036854775808");
  EXPECT_EQ(TextOf(Value(type::kInt64, int64_t{1} << 40)), "1099511627776");
}

TEST(ToTextScalars, WritesTruthValuesAndCopiesTexts) {
  EXPECT_EQ(TextOf(Value(type::kBool, int32_t{0})), platform::Utf8ToGbk("假"));
  EXPECT_EQ(TextOf(Value(type::kBool, int32_t{-5})), platform::Utf8ToGbk("真"));

  const std::string gbk = platform::Utf8ToGbk("金币１２");
  ValueRecord argument = Value(type::kText, gbk.c_str());
  ValueRecord result = runtime::MakeValue(type::kNone);
  runtime::ToText(&result, 1, &argument);
  ASSERT_NE(result.text, nullptr);
  EXPECT_NE(result.text, gbk.c_str());  // a copy the caller owns; no folding
  EXPECT_EQ(std::string(result.text), gbk);
  runtime::Free(result.ptr);

  EXPECT_EQ(TextOf(Value(type::kText, "")), "");
  EXPECT_EQ(TextOf(Value(type::kText, static_cast<const char*>(nullptr))), "");
}

TEST(ToTextScalars, TypesWithoutTextGiveNone) {
  EXPECT_EQ(TextOf(Value(type::kNone, int32_t{5})), "");
  EXPECT_EQ(TextOf(Value(type::kRoutine, int32_t{5})), "");
  EXPECT_EQ(TextOf(Value(0x40001u, uint64_t{0x1600000152000001})), "");
  ValueRecord result = runtime::MakeValue(type::kNone);
  runtime::ToText(&result, 0, nullptr);
  EXPECT_EQ(result.ptr, nullptr);
}

TEST(ToTextBlocks, ByteDataGivesItsBytesUpToTheFirstZero) {
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, 3, Word('a', 0, 'b', 0)}), "a");
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, 5, Word('h', 'e', 'l', 'l'), Word('o', 'X', 'X', 'X')}),
            "hello");
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, 2, Word(0, 'a', 0, 0)}), "");
  EXPECT_EQ(TextOf(Value(type::kByteData, static_cast<const void*>(nullptr))), "");
}

TEST(ToTextBlocks, DamagedBlockWordsGiveNoText) {
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, 0, Word('a', 0, 0, 0)}), "");
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, -4, Word('a', 0, 0, 0)}), "");
  EXPECT_EQ(TextOfBlock(type::kByteData, {-1, 4, Word('a', 0, 0, 0)}), "");
  EXPECT_EQ(TextOfBlock(type::kByteData, {0, 4, Word('a', 0, 0, 0)}), "");
  EXPECT_EQ(TextOfBlock(type::kInt | type::kArrayBit, {2, 3, std::numeric_limits<int32_t>::min()}), "");
}

TEST(ToTextBlocks, NumberArraysGiveTheirElementBytes) {
  EXPECT_EQ(TextOfBlock(type::kInt | type::kArrayBit, {1, 2, Word('a', 'b', 'c', 'd'), Word('e', 0, 'z', 'z')}),
            "abcde");
  EXPECT_EQ(TextOfBlock(type::kShort | type::kArrayBit, {1, 1, Word('o', 'k', 'X', 'X')}), "ok");
  // Elements follow every dimension size; the sizes are not text.
  EXPECT_EQ(TextOfBlock(type::kByte | type::kArrayBit, {2, 2, 2, Word('w', 'x', 'y', 'z')}), "wxyz");
  // Arrays of anything but numbers have no text.
  EXPECT_EQ(TextOfBlock(type::kText | type::kArrayBit, {1, 1, Word('a', 0, 0, 0), 0}), "");
  EXPECT_EQ(TextOfBlock(type::kByteData | type::kArrayBit, {1, 1, Word('a', 0, 0, 0), 0}), "");
}

}  // namespace
}  // namespace values_test

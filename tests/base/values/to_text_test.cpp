#include <cmath>
#include <limits>
#include <vector>

#include "platform/gbk.h"
#include "base/values/number_text.h"
#include "tests/base/values/command_call.h"

namespace values_test {
namespace {

std::string TextOfBlock(uint32_t typeCode, const std::vector<int32_t>& words) {
  return TextOf(Value(typeCode, static_cast<const void*>(words.data())));
}
// Four bytes as one block word, first byte lowest.
constexpr int32_t Word(char a, char b, char c, char d) {
  return static_cast<int32_t>(uint8_t(a) | uint8_t(b) << 8 | uint8_t(c) << 16 | uint32_t(uint8_t(d)) << 24);
}

TEST(ToText, WritesDoublesWithThirteenDigitsAndWideExponents) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{2.5, "2.5"}, {1.0 / 3, "0.3333333333333"}, {2.0 / 3, "0.6666666666667"}, {100, "100"},
               {1234567890123, "1234567890123"}, {0.1 + 0.2, "0.3"}, {0.0001, "0.0001"},
               {1e13, "1e+013"}, {9999999999999.5, "1e+013"}, {1.0 / 20000, "5e-005"}, {1e20, "1e+020"},
               {-1.25e-7, "-1.25e-007"}, {1e100, "1e+100"}, {4.9406564584124654e-324, "4.940656458412e-324"},
               {-0.0, "0"}, {HUGE_VAL, "inf"}, {-HUGE_VAL, "-inf"}, {-std::nan(""), "nan"}};
  for (const auto& c : cases) EXPECT_EQ(TextOf(Value(type::kDouble, c.value)), c.text);
}

TEST(ToText, RoundsFloatsToSixDigitsFirst) {
  EXPECT_EQ(runtime::RoundToSixDigits(0.1f), 0.1);
  const struct {
    float value;
    const char* text;
  } cases[] = {{0.1f, "0.1"}, {-0.3f, "-0.3"}, {1.0f / 3, "0.333333"}, {3.14159265f, "3.14159"},
               {999999.6f, "1e+006"}, {16777217.0f, "1.67772e+007"}, {1.5e-5f, "1.5e-005"},
               {std::numeric_limits<float>::max(), "3.40282e+038"}, {-0.0f, "0"},
               // Subnormal floats keep their digits instead of rounding to 0.
               {1e-40f, "9.99995e-041"}, {-std::numeric_limits<float>::denorm_min(), "-1.4013e-045"}};
  for (const auto& c : cases) EXPECT_EQ(TextOf(Value(type::kFloat, c.value)), c.text);
}

TEST(ToText, WritesOtherScalars) {
  EXPECT_EQ(TextOf(Value(type::kByte, uint8_t{255})), "255");
  EXPECT_EQ(TextOf(Value(type::kShort, int16_t{-32768})), "-32768");
  EXPECT_EQ(TextOf(Value(type::kInt64, std::numeric_limits<int64_t>::min())), "-9223372036854775808");
  EXPECT_EQ(TextOf(Value(type::kBool, int32_t{0})), platform::Utf8ToGbk("假"));
  EXPECT_EQ(TextOf(Value(type::kBool, int32_t{-5})), platform::Utf8ToGbk("真"));
  const std::string gbk = platform::Utf8ToGbk("金币１２");
  EXPECT_EQ(TextOf(Value(type::kText, gbk.c_str())), gbk);  // copied, not folded
  for (const char* empty : {"", static_cast<const char*>(nullptr)}) EXPECT_EQ(TextOf(Value(type::kText, empty)), "");
  for (uint32_t none : {type::kNone, type::kRoutine, 0x40001u}) EXPECT_EQ(TextOf(Value(none, int32_t{5})), "");
}

TEST(ToText, GivesTheBytesOfByteDataAndNumberArraysUpToTheFirstZero) {
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, 3, Word('a', 0, 'b', 0)}), "a");
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, 5, Word('h', 'e', 'l', 'l'), Word('o', 'X', 'X', 'X')}), "hello");
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, 2, Word(0, 'a', 0, 0)}), "");
  EXPECT_EQ(TextOfBlock(type::kInt | type::kArrayBit, {1, 2, Word('a', 'b', 'c', 'd'), Word('e', 0, 'z', 'z')}),
            "abcde");
  // Elements follow every dimension size; the sizes are not text.
  EXPECT_EQ(TextOfBlock(type::kByte | type::kArrayBit, {2, 2, 2, Word('w', 'x', 'y', 'z')}), "wxyz");
  EXPECT_EQ(TextOfBlock(type::kText | type::kArrayBit, {1, 1, Word('a', 0, 0, 0), 0}), "");
  // Size words that are zero or negative give no text instead of a huge read.
  EXPECT_EQ(TextOfBlock(type::kByteData, {1, -4, Word('a', 0, 0, 0)}), "");
  EXPECT_EQ(TextOfBlock(type::kByteData, {-1, 4, Word('a', 0, 0, 0)}), "");
  EXPECT_EQ(TextOf(Value(type::kByteData, static_cast<const void*>(nullptr))), "");
}

}  // namespace
}  // namespace values_test

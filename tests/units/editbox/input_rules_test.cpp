#include "units/editbox/input_rules.h"

#include <gtest/gtest.h>

#include "units/editbox/editbox_properties.h"

namespace units::editbox {
namespace {

struct Normalised {
  int32_t mode;
  const char* text;
  const char* expected;
};

TEST(NormalisedText, ClampsEachModeToItsRangeAndEmptiesZero) {
  const Normalised cases[] = {
      {kByte, "300", "255"},
      {kByte, "0", ""},
      {kByte, "007", "7"},
      {kShort, "40000", "32767"},
      {kShort, "-40000", "-32768"},
      {kInteger, "99999999999", "2147483647"},
      {kInteger, "-99999999999", "-2147483648"},
      // A run of digits beyond 64 bits stays at the end of the range instead of wrapping.
      {kInteger, "99999999999999999999999", "2147483647"},
      {kLong, "99999999999999999999999", "9223372036854775807"},
      {kLong, "-9223372036854775808", "-9223372036854775808"},
      {kInteger, "12abc", "12"},
      {kInteger, "-", ""},
      {kInteger, "\xef\xbc\x91\xef\xbc\x92", "12"},  // full-width 12
      {kFloat, "0.1", "0.1"},
      {kFloat, "123456789", "1.23457e+008"},
      {kFloat, "1e99", "3.40282e+038"},
      {kDouble, "1.50", "1.5"},
      {kDouble, "-0", ""},
      {kDouble, "1e-999", ""},
      {kDouble, ".5", "0.5"},
      {kIntegerText, "abc", "abc"},
      {kNormal, "0", "0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalisedText(c.mode, QString::fromUtf8(c.text)), QString::fromUtf8(c.expected))
        << "mode " << c.mode << " text " << c.text;
  }
}

TEST(NormalisedText, ReadsDatesInTheCommonFormsAndDropsTheRest) {
  const Normalised cases[] = {
      {kDateTime, "2015-1-2", "2015年1月2日"},
      {kDateTime, "2015/01/02 12:30:05", "2015年1月2日12时30分5秒"},
      {kDateTime, "2015年1月2日12时", "2015年1月2日12时"},
      {kDateTime, "2016-2-29", "2016年2月29日"},
      {kDateTime, "2015-2-29", ""},
      {kDateTime, "2015-13-1", ""},
      {kDateTime, "1899-12-30", ""},  // the zero date
      {kDateTime, "abc", ""},
      {kDateTime, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalisedText(c.mode, QString::fromUtf8(c.text)), QString::fromUtf8(c.expected)) << c.text;
  }
}

TEST(InputRules, AdmitsWhatEachModeAllowsAndPassesControlCharacters) {
  struct Case {
    int32_t mode;
    const char* typed;
    const char* admitted;
  };
  const Case cases[] = {
      {kNormal, "a-1.2中", "a-1.2中"},
      {kIntegerText, "a-1.2中", "-12"},
      {kDecimalText, "a-1.2", "-1.2"},
      {kByte, "-12a", "12"},
      {kShort, "-1.5", "-15"},
      {kDouble, "e-1.5", "-1.5"},
      {kDateTime, "2015年", "2015年"},
      {kInteger, "\xef\xbc\x8d\xef\xbc\x93", "-3"},  // full-width minus and 3, as an input method types them
      {kInteger, "\t\r", "\t\r"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InputRules(c.mode, 0, 0).Admit(QString::fromUtf8(c.typed), 0, 0), QString::fromUtf8(c.admitted))
        << "mode " << c.mode << " typed " << c.typed;
  }
}

TEST(InputRules, ConvertsCaseAndKeepsToTheTextLimit) {
  EXPECT_EQ(InputRules(kNormal, 1, 0).Admit("AbC", 0, 0), "abc");
  EXPECT_EQ(InputRules(kNormal, 2, 0).Admit("AbC", 0, 0), "ABC");
  // Five characters with room for two: 4 of 5 used, one selected and replaced.
  EXPECT_EQ(InputRules(kNormal, 0, 5).Admit("12345", 4, 1), "12");
  EXPECT_EQ(InputRules(kNormal, 0, 5).Admit("1", 5, 0), "");
  // A character outside the basic plane is never cut in half.
  EXPECT_EQ(InputRules(kNormal, 0, 2).Admit(QString::fromUtf8("a\xf0\x9f\x98\x80"), 0, 0), "a");
}

}  // namespace
}  // namespace units::editbox

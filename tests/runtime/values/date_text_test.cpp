#include <cmath>

#include "platform/gbk.h"
#include "tests/runtime/values/command_call.h"

namespace values_test {
namespace {

std::string DateText(double days) { return platform::GbkToUtf8(TextOf(Value(runtime::type::kDateTime, days))); }
constexpr double kSecond = 1.0 / 86400;
constexpr double kNewYear2015 = 42005;

TEST(ToTextDateTime, WritesTheTimeDownToItsLastNonzeroPart) {
  EXPECT_EQ(DateText(kNewYear2015 + 0.5), "2015年1月1日12时");
  EXPECT_EQ(DateText(kNewYear2015), "2015年1月1日");
  EXPECT_EQ(DateText(kNewYear2015 + 60 * kSecond), "2015年1月1日0时1分");
  EXPECT_EQ(DateText(kNewYear2015 + 7 * kSecond), "2015年1月1日0时0分7秒");
  EXPECT_EQ(DateText(kNewYear2015 + (12 * 3600 + 34 * 60 + 56) * kSecond), "2015年1月1日12时34分56秒");
}

TEST(ToTextDateTime, CountsCalendarDaysFromTheEndOf1899) {
  EXPECT_EQ(DateText(0), "1899年12月30日");
  EXPECT_EQ(DateText(60), "1900年2月28日");  // 1900 is not a leap year
  EXPECT_EQ(DateText(61), "1900年3月1日");
  EXPECT_EQ(DateText(36585), "2000年2月29日");
  EXPECT_EQ(DateText(2958465), "9999年12月31日");
  EXPECT_EQ(DateText(-657434), "100年1月1日");
}

TEST(ToTextDateTime, RoundsTheTimeOfDayToWholeSeconds) {
  EXPECT_EQ(DateText(kNewYear2015 + 1.0 / 3), "2015年1月1日8时");
  EXPECT_EQ(DateText(kNewYear2015 + 0.4 * kSecond), "2015年1月1日");
  EXPECT_EQ(DateText(kNewYear2015 + 59.6 * kSecond), "2015年1月1日0时1分");
  // Rounding up to midnight is the next day.
  EXPECT_EQ(DateText(kNewYear2015 - 0.2 * kSecond), "2015年1月1日");
}

TEST(ToTextDateTime, NegativeDaysCountTheirTimeAwayFromDayZero) {
  EXPECT_EQ(DateText(-1.25), "1899年12月29日6时");
  EXPECT_EQ(DateText(-0.5), "1899年12月30日12时");
  EXPECT_EQ(DateText(-1 - 0.2 * kSecond), "1899年12月29日");
  // 29 December, 23:59:59.8: rounding moves on to 30 December, towards day 0.
  EXPECT_EQ(DateText(-2 + 0.2 * kSecond), "1899年12月30日");
}

TEST(ToTextDateTime, ClampsToTheFirstAndLastDay) {
  EXPECT_EQ(DateText(1e10), "9999年12月31日");
  EXPECT_EQ(DateText(2958465.75), "9999年12月31日");
  EXPECT_EQ(DateText(-HUGE_VAL), "100年1月1日");
  EXPECT_EQ(DateText(std::nan("")), "");
}

}  // namespace
}  // namespace values_test

#include <cmath>

#include "platform/gbk.h"
#include "tests/base/values/command_call.h"

namespace values_test {
namespace {

constexpr double kSecond = 1.0 / 86400;
constexpr double kNewYear2015 = 42005;

TEST(ToText, WritesDateTimesToTheirLastNonzeroPart) {
  const struct {
    double days;
    const char* text;
  } cases[] = {
      {kNewYear2015 + 0.5, "2015年1月1日12时"}, {kNewYear2015 + 60 * kSecond, "2015年1月1日0时1分"},
      {kNewYear2015 + 45296 * kSecond, "2015年1月1日12时34分56秒"}, {kNewYear2015 + 7 * kSecond, "2015年1月1日0时0分7秒"},
      {0, "1899年12月30日"}, {60, "1900年2月28日"}, {61, "1900年3月1日"}, {36585, "2000年2月29日"},
      // Whole seconds, rounded: a third of a day is 8 o'clock, and rounding up to midnight is the next day.
      {kNewYear2015 + 1.0 / 3, "2015年1月1日8时"}, {kNewYear2015 - 0.2 * kSecond, "2015年1月1日"},
      // Below day 0 the fraction still counts forward from the start of the calendar day.
      {-1.25, "1899年12月29日6时"}, {-0.5, "1899年12月30日12时"}, {-2 + 0.2 * kSecond, "1899年12月30日"},
      {2958465.75, "9999年12月31日"}, {1e10, "9999年12月31日"}, {-HUGE_VAL, "100年1月1日"}, {std::nan(""), ""}};
  for (const auto& c : cases) EXPECT_EQ(platform::GbkToUtf8(TextOf(Value(type::kDateTime, c.days))), c.text) << c.days;
}

}  // namespace
}  // namespace values_test

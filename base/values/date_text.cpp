#include "base/values/date_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace runtime {
namespace {

constexpr double kFirstDay = -657434;  // 1 January 100
constexpr double kLastDay = 2958465;   // 31 December 9999
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysBefore1970 = 25569;  // day 0 is 30 December 1899

struct CivilDate {
  int64_t year;
  int64_t month;
  int64_t day;
};

// Proleptic Gregorian date of a day counted from 1 January 1970.
CivilDate DateOf(int64_t days) {
  days += 719468;  // count from 1 March of year 0, so that leap days end each cycle year
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int64_t day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
  const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// GBK bytes of the unit characters.
constexpr std::string_view kYear = "\xC4\xEA";    // 年
constexpr std::string_view kMonth = "\xD4\xC2";   // 月
constexpr std::string_view kDay = "\xC8\xD5";     // 日
constexpr std::string_view kHour = "\xCA\xB1";    // 时
constexpr std::string_view kMinute = "\xB7\xD6";  // 分
constexpr std::string_view kSecond = "\xC3\xEB";  // 秒

}  // namespace

void WriteDateTime(WorkBuffer& out, double days) {
  if (std::isnan(days)) return;
  days = std::clamp(days, kFirstDay, kLastDay);
  // The whole part names the calendar day; the fraction is the time of day even below day 0,
  // where it counts away from day 0: -1.25 is 29 December 1899, 6 o'clock.
  const double whole = std::trunc(days);
  int64_t day = static_cast<int64_t>(whole);
  // Round to the nearest second: a third of a day is 8 o'clock, not 7:59:59. Rounding up to
  // midnight moves on to the next calendar day.
  int64_t seconds = static_cast<int64_t>(std::floor(std::fabs(days - whole) * kSecondsPerDay + 0.5));
  if (seconds >= kSecondsPerDay) {
    seconds -= kSecondsPerDay;
    ++day;
  }

  const CivilDate date = DateOf(day - kDaysBefore1970);
  out.AppendInteger(date.year);
  out.Append(kYear);
  out.AppendInteger(date.month);
  out.Append(kMonth);
  out.AppendInteger(date.day);
  out.Append(kDay);

  const int64_t hour = seconds / 3600;
  const int64_t minute = seconds / 60 % 60;
  const int64_t second = seconds % 60;
  if (hour == 0 && minute == 0 && second == 0) return;
  out.AppendInteger(hour);
  out.Append(kHour);
  if (minute == 0 && second == 0) return;
  out.AppendInteger(minute);
  out.Append(kMinute);
  if (second == 0) return;
  out.AppendInteger(second);
  out.Append(kSecond);
}

}  // namespace runtime

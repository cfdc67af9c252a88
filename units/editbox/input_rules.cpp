#include "units/editbox/input_rules.h"

#include <algorithm>
#include <charconv>
#include <cfloat>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "base/values/date_text.h"
#include "base/values/number_text.h"
#include "units/editbox/editbox_unit.h"

namespace units::editbox {
namespace {

// Full-width digits, minus, point and the ideographic space as their ASCII forms.
QChar Folded(QChar c) {
  const char16_t u = c.unicode();
  if (u >= 0xFF10 && u <= 0xFF19) return QChar(u'0' + (u - 0xFF10));
  if (u == 0xFF0D) return QChar(u'-');
  if (u == 0xFF0E) return QChar(u'.');
  if (u == 0x3000) return QChar(u' ');
  return c;
}

// The characters from `at` after blanks, folded, as ASCII; stops at the first other character.
std::string LeadingAscii(const QString& text) {
  std::string out;
  qsizetype i = 0;
  while (i < text.size() && (Folded(text[i]) == u' ' || text[i] == u'\t')) ++i;
  for (; i < text.size(); ++i) {
    const QChar c = Folded(text[i]);
    if (c.unicode() >= 0x80 || c.unicode() <= 0x20) break;
    out.push_back(static_cast<char>(c.unicode()));
  }
  return out;
}

}  // namespace

// A long run of nines stays large instead of wrapping to a small value.
int64_t LeadingInteger(const QString& text) {
  const std::string s = LeadingAscii(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  uint64_t magnitude = 0;
  const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + static_cast<uint64_t>(s[i] - '0');
    if (magnitude > limit) {
      magnitude = limit;
      break;
    }
  }
  if (negative) return magnitude == limit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(magnitude);
  return static_cast<int64_t>(magnitude);
}

namespace {

// The leading decimal number (sign, digits, point, exponent); 0 when there is none, the largest
// finite value of its sign when it is too large.
double LeadingNumber(const QString& text) {
  std::string s = LeadingAscii(text);
  if (!s.empty() && s[0] == '+') s.erase(0, 1);
  double value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed |
                                                                                     std::chars_format::scientific);
  if (error == std::errc::result_out_of_range) {
    // Too small (a negative exponent) rounds to zero; too large saturates.
    const std::string_view parsed(s.data(), static_cast<size_t>(end - s.data()));
    const size_t exponent = parsed.find_first_of("eE");
    if (exponent != std::string_view::npos && parsed.find('-', exponent) != std::string_view::npos) return 0;
    return s[0] == '-' ? -DBL_MAX : DBL_MAX;
  }
  if (error != std::errc()) return 0;
  return value;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days from 30 December 1899 to the given civil date (proleptic Gregorian calendar).
int64_t DaysSinceEpoch(int y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;  // 25569: 1 January 1970 counted from 30 December 1899
}

// A date with an optional time of day: "2015-1-2", "2015/1/2", "2015.1.2" or "2015年1月2日",
// then "12:30:05" or "12时30分5秒" with the later parts optional. Only valid days of the years
// 100 to 9999 are dates.
std::optional<double> ParseDateTime(const QString& text) {
  QString s = text.trimmed();
  int numbers[6] = {0, 0, 0, 0, 0, 0};
  int count = 0;
  qsizetype i = 0;
  while (count < 6) {
    while (i < s.size() && !s[i].isDigit()) {
      const char16_t c = s[i].unicode();
      static const QString kSeparators = QString::fromUtf8("-/.: \t年月日时分秒");
      if (!kSeparators.contains(QChar(c))) return std::nullopt;
      ++i;
    }
    if (i >= s.size()) break;
    int64_t value = 0;
    qsizetype digits = 0;
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 0x80; ++i, ++digits) {
      if (digits < 6) value = value * 10 + (s[i].unicode() - u'0');
    }
    if (digits == 0 || digits > 5) return std::nullopt;
    numbers[count++] = static_cast<int>(value);
  }
  for (; i < s.size(); ++i) {
    if (!QString::fromUtf8(" \t日秒").contains(s[i])) return std::nullopt;
  }
  if (count < 3) return std::nullopt;
  const int year = numbers[0], month = numbers[1], day = numbers[2];
  const int hour = numbers[3], minute = numbers[4], second = numbers[5];
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return static_cast<double>(DaysSinceEpoch(year, month, day)) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

QString Written(void (*write)(runtime::WorkBuffer&, double), double value) {
  runtime::WorkBuffer buffer;
  write(buffer, value);
  return platform::FromGbk(buffer.View());
}

}  // namespace

bool InputRules::Allows(QChar c) const {
  const bool digit = c >= u'0' && c <= u'9';
  switch (mode_) {
    case kByte: return digit;
    case kIntegerText:
    case kShort:
    case kInteger:
    case kLong: return digit || c == u'-';
    case kDecimalText:
    case kFloat:
    case kDouble: return digit || c == u'-' || c == u'.';
    default: return true;
  }
}

QString InputRules::Admit(const QString& typed, qsizetype length, qsizetype replaced) const {
  QString out;
  out.reserve(typed.size());
  for (QChar c : typed) {
    if (c.unicode() < 32) {
      out.append(c);
      continue;
    }
    const QChar folded = Allows(c) ? c : Folded(c);
    if (!Allows(folded)) continue;
    out.append(folded);
  }
  if (caseConversion_ == case_conversion::kLower) out = out.toLower();
  if (caseConversion_ == case_conversion::kUpper) out = out.toUpper();
  if (maxLength_ > 0) {
    const qsizetype room = std::max<qsizetype>(0, maxLength_ - (length - replaced));
    if (out.size() > room) {
      // Never keep half of a pair that stands for one character.
      qsizetype keep = room;
      if (keep > 0 && out[keep - 1].isHighSurrogate()) --keep;
      out.truncate(keep);
    }
  }
  return out;
}

QString InputRules::Edited(const QString& old, const QString& edited, bool* refused, int* cursor) const {
  if (refused != nullptr) *refused = false;
  if (edited == old) return edited;
  // The edit replaced old[prefix, old.size() - suffix) by edited[prefix, edited.size() - suffix).
  const qsizetype shorter = std::min(edited.size(), old.size());
  qsizetype prefix = 0;
  while (prefix < shorter && edited[prefix] == old[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < shorter - prefix && edited[edited.size() - 1 - suffix] == old[old.size() - 1 - suffix]) ++suffix;
  const QString inserted = edited.mid(prefix, edited.size() - prefix - suffix);
  if (inserted.isEmpty()) return edited;  // a deletion
  const QString admitted = Admit(inserted, old.size(), old.size() - prefix - suffix);
  if (admitted.isEmpty()) {
    if (refused != nullptr) *refused = true;
    return old;
  }
  if (cursor != nullptr) *cursor = static_cast<int>(prefix + admitted.size());
  return admitted == inserted ? edited : edited.left(prefix) + admitted + edited.right(suffix);
}

QString NormalisedText(int32_t inputMode, const QString& text) {
  QString out;
  switch (inputMode) {
    case kByte: out = QString::number(std::clamp<int64_t>(LeadingInteger(text), 0, 255)); break;
    case kShort: out = QString::number(std::clamp<int64_t>(LeadingInteger(text), INT16_MIN, INT16_MAX)); break;
    case kInteger: out = QString::number(std::clamp<int64_t>(LeadingInteger(text), INT32_MIN, INT32_MAX)); break;
    case kLong: out = QString::number(LeadingInteger(text)); break;
    case kFloat: {
      const double v = std::clamp(LeadingNumber(text), -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX));
      out = Written([](runtime::WorkBuffer& b, double d) {
        runtime::WriteGeneral(b, runtime::RoundToSixDigits(static_cast<float>(d)), 6);
      }, v);
      break;
    }
    case kDouble:
      out = Written([](runtime::WorkBuffer& b, double d) { runtime::WriteGeneral(b, d, 13); }, LeadingNumber(text));
      break;
    case kDateTime: {
      const std::optional<double> days = ParseDateTime(text);
      return days && *days != 0 ? Written(runtime::WriteDateTime, *days) : QString();
    }
    default: return text;
  }
  return out == u"0" ? QString() : out;
}

}  // namespace units::editbox

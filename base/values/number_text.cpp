#include "base/values/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace runtime {

void WorkBuffer::Append(std::string_view bytes) {
  const size_t n = std::min(bytes.size(), kCapacity - length_);
  std::memcpy(data_ + length_, bytes.data(), n);
  length_ += n;
}

void WorkBuffer::AppendInteger(int64_t value) {
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  Append({digits, static_cast<size_t>(written.ptr - digits)});
}

void WriteGeneral(WorkBuffer& out, double value, int precision) {
  if (std::isnan(value)) return out.Append("nan");
  if (std::isinf(value)) return out.Append(value < 0 ? "-inf" : "inf");
  if (value == 0) value = 0.0;  // drops the sign of negative zero

  char digits[40];
  const auto written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, precision);
  const std::string_view text(digits, static_cast<size_t>(written.ptr - digits));
  const size_t e = text.find('e');
  if (e == std::string_view::npos) return out.Append(text);
  out.Append(text.substr(0, e + 2));  // mantissa, 'e' and the exponent's sign
  const std::string_view exponent = text.substr(e + 2);
  for (size_t width = exponent.size(); width < 3; ++width) out.Append("0");
  out.Append(exponent);
}

double RoundToSixDigits(float value) {
  if (!std::isfinite(value) || value == 0) return value;
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  // A first guess at the decimal exponent from the binary one.
  const int binaryExponent = static_cast<int>((bits >> 23) & 0xFF) - 127;
  int k = static_cast<int>(binaryExponent * 0.30102999566398120);  // truncated toward zero
  const double magnitude = std::fabs(static_cast<double>(value));
  double m = k > 0 ? magnitude / std::pow(10.0, k) : magnitude * std::pow(10.0, -k);
  // One step corrects the guess for every normal float; a subnormal one lies further below its
  // nominal exponent and needs more, or it would round to 0.
  while (m >= 10) {
    ++k;
    m /= 10;
  }
  while (m < 1) {
    --k;
    m *= 10;
  }
  const double digits = std::floor(m * 1e5 + 0.5);
  const int scale = k - 5;
  const double rounded = scale >= 0 ? digits * std::pow(10.0, scale) : digits / std::pow(10.0, -scale);
  return std::signbit(value) ? -rounded : rounded;
}

}  // namespace runtime

#pragma once
// Numbers written as text into a fixed buffer on the stack, so that a conversion allocates only
// its exact result.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace runtime {

class WorkBuffer {
 public:
  // Everything ToText writes fits: "-1.234567890123e-308", "9999年12月31日23时59分59秒".
  static constexpr size_t kCapacity = 64;

  void Append(std::string_view bytes);
  void AppendInteger(int64_t value);
  std::string_view View() const { return {data_, length_}; }

 private:
  char data_[kCapacity];
  size_t length_ = 0;
};

// Writes `value` with at most `precision` significant digits, trailing zeros and a trailing point
// removed, in exponent form when the decimal exponent is below -4 or at least the precision. The
// exponent carries its sign and at least three digits (5e-005, 1e+020). The decimal point is
// always '.', whatever locale the process runs in. Digits are rounded from the exact binary
// value, an exact half going to the even digit. Negative zero is written "0", infinities "inf"
// and "-inf", not-a-number "nan".
void WriteGeneral(WorkBuffer& out, double value, int precision);

// The float's value rounded to 6 significant decimal digits, halves away from zero, as a double:
// writing it then shows the digits the float was typed with (0.1f gives 0.1, not 0.100000001).
double RoundToSixDigits(float value);

}  // namespace runtime

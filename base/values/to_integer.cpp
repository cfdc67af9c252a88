#include <cmath>
#include <optional>
#include <string>

#include "platform/gbk.h"
#include "base/program/runtime_error.h"
#include "base/values/conversions.h"
#include "base/values/full_width.h"

namespace runtime {
namespace {

bool IsSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Optional sign and decimal digits after white space; digits accumulate modulo 2^32, so a number
// too large for 32 bits wraps around instead of saturating.
int32_t ParseDecimal(const char* text) {
  FullWidthReader reader(text, false);
  int c = reader.Next();
  while (IsSpace(c)) c = reader.Next();
  const bool negative = c == '-';
  if (c == '+' || c == '-') c = reader.Next();
  uint32_t value = 0;
  for (; c >= '0' && c <= '9'; c = reader.Next()) value = value * 10 + static_cast<uint32_t>(c - '0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}

// Truncated toward zero to 64 bits, then the low 32 bits; NaN and values beyond 64 bits give 0.
int32_t TruncateToInteger(double value) {
  if (!(value >= -0x1p63 && value < 0x1p63)) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(value)));
}

std::optional<int32_t> NumberValue(const ValueRecord& value) {
  switch (value.type) {
    case type::kByte: return value.bytes[0];
    case type::kShort: return value.i16;
    case type::kInt: return value.i32;
    case type::kInt64: return value.i32;  // the low 32 bits
    case type::kFloat: return TruncateToInteger(value.f32);
    case type::kDouble: return TruncateToInteger(value.f64);
    default: return std::nullopt;
  }
}

}  // namespace

void ToInteger(ValueRecord* result, int32_t count, ValueRecord* args) {
  if (count < 1 || args == nullptr) return;
  const ValueRecord& value = args[0];
  switch (value.type) {
    case type::kText: result->i32 = ParseDecimal(value.text); return;
    case type::kBool: result->i32 = value.i32; return;
    case type::kRoutine: result->i32 = value.i32; return;  // the address's low 32 bits
    default: result->i32 = NumberValue(value).value_or(0); return;
  }
}

int32_t NumberToInteger(const ValueRecord& value) {
  if (const std::optional<int32_t> number = NumberValue(value)) return *number;
  static const std::string message = platform::Utf8ToGbk("欲转换数据类型不是数值");
  ReportRuntimeError(message, 0);
}

}  // namespace runtime

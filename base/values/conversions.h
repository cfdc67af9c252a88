#pragma once
// The core library's conversion commands and the host's number conversion for libraries.
// Conversions never fail: every type has a defined result.
#include <cstdint>

#include "base/values/value.h"

namespace runtime {

// One argument of any type; the result's first 4 data bytes receive a signed 32-bit integer. A
// text is read as a decimal number after full-width folding (wrapping modulo 2^32); numbers are
// truncated toward zero; types without a numeric reading give 0.
void ToInteger(ValueRecord* result, int32_t count, ValueRecord* args);

// One argument of any type; the result's data receives a new heap text of exactly its length + 1
// bytes, owned by the caller, or null for the empty text. The result's type code stays 0.
void ToText(ValueRecord* result, int32_t count, ValueRecord* args);

// The host's conversion of a number for a library (notify 2001): byte, short, int, int64, float
// or double. Any other type is the runtime error "欲转换数据类型不是数值", which ends the program.
int32_t NumberToInteger(const ValueRecord& value);

}  // namespace runtime

#pragma once
// Calling the conversion commands the way the bridge does, with one argument record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/program/memory.h"
#include "base/values/conversions.h"

namespace values_test {

namespace type = runtime::type;
using runtime::ValueRecord;

template <typename T>
ValueRecord Value(uint32_t typeCode, T data) {
  ValueRecord v = runtime::MakeValue(typeCode);
  static_assert(sizeof data <= sizeof v.bytes);
  std::memcpy(v.bytes, &data, sizeof data);
  return v;
}

inline int32_t IntegerOf(ValueRecord argument) {
  ValueRecord result = runtime::MakeValue(type::kNone);
  runtime::ToInteger(&result, 1, &argument);
  EXPECT_EQ(result.type, 0u);
  return result.i32;
}

// ToText's result as a string ("" for no text), the text freed. An empty heap text is a fault.
inline std::string TextOf(ValueRecord argument) {
  ValueRecord result = runtime::MakeValue(type::kNone);
  runtime::ToText(&result, 1, &argument);
  EXPECT_EQ(result.type, 0u);
  if (result.text == nullptr) return {};
  std::string text = result.text;
  EXPECT_FALSE(text.empty()) << "an empty text must be null";
  runtime::Free(result.ptr);
  return text;
}

}  // namespace values_test

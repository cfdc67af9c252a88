#include <cstring>
#include <string_view>

#include "base/program/memory.h"
#include "base/values/conversions.h"
#include "base/values/data_block.h"
#include "base/values/date_text.h"
#include "base/values/number_text.h"

namespace runtime {
namespace {

// The runtime never hands out an empty heap text: empty is null.
char* NewText(std::string_view bytes) {
  if (bytes.empty()) return nullptr;
  auto text = static_cast<char*>(Allocate(bytes.size() + 1));
  std::memcpy(text, bytes.data(), bytes.size());
  text[bytes.size()] = '\0';
  return text;
}

// The bytes of a byte-data or number array block, up to the first zero byte.
char* BlockText(const void* block, size_t elementSize) {
  const BlockElements elements = ElementsOf(block);
  const size_t size = elements.count * elementSize;
  if (size == 0) return nullptr;
  const void* zero = std::memchr(elements.first, 0, size);
  const size_t length = zero != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - elements.first) : size;
  return NewText({reinterpret_cast<const char*>(elements.first), length});
}

// GBK bytes of the truth values.
constexpr std::string_view kTrue = "\xD5\xE6";   // 真
constexpr std::string_view kFalse = "\xBC\xD9";  // 假

}  // namespace

void ToText(ValueRecord* result, int32_t count, ValueRecord* args) {
  if (count < 1 || args == nullptr) return;
  const ValueRecord& value = args[0];
  if (value.type == type::kByteData) {
    result->ptr = BlockText(value.ptr, 1);
    return;
  }
  if (IsArrayType(value.type)) {
    // Only arrays of numbers have a text: their bytes. Any other array reads as the empty text.
    const uint32_t elementSize = NumericElementSize(ElementTypeOf(value.type));
    if (elementSize != 0) result->ptr = BlockText(value.ptr, elementSize);
    return;
  }
  if (value.type == type::kText) {
    result->ptr = NewText(value.text != nullptr ? std::string_view(value.text) : std::string_view());
    return;
  }

  WorkBuffer buffer;
  switch (value.type) {
    case type::kByte: buffer.AppendInteger(value.bytes[0]); break;
    case type::kShort: buffer.AppendInteger(value.i16); break;
    case type::kInt: buffer.AppendInteger(value.i32); break;
    case type::kInt64: buffer.AppendInteger(value.i64); break;
    case type::kFloat: WriteGeneral(buffer, RoundToSixDigits(value.f32), 6); break;
    case type::kDouble: WriteGeneral(buffer, value.f64, 13); break;
    case type::kBool: buffer.Append(value.i32 != 0 ? kTrue : kFalse); break;
    case type::kDateTime: WriteDateTime(buffer, value.f64); break;
    default: break;  // none, routine pointers and unit references have no text
  }
  result->ptr = NewText(buffer.View());
}

}  // namespace runtime

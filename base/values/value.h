#pragma once
// The value record: every command argument and result, every property value handed to the
// program and every typed event argument.
#include <cstdint>
#include <cstring>

namespace runtime {

namespace type {
constexpr uint32_t kNone = 0;
constexpr uint32_t kBool = 0x80000002;
constexpr uint32_t kDateTime = 0x80000003;
constexpr uint32_t kText = 0x80000004;
constexpr uint32_t kByteData = 0x80000005;
constexpr uint32_t kRoutine = 0x80000006;
constexpr uint32_t kByte = 0x80000101;
constexpr uint32_t kShort = 0x80000201;
constexpr uint32_t kInt = 0x80000301;
constexpr uint32_t kInt64 = 0x80000401;
constexpr uint32_t kFloat = 0x80000501;
constexpr uint32_t kDouble = 0x80000601;
constexpr uint32_t kArrayBit = 0x20000000;
}  // namespace type

// 8 data bytes, then the 32-bit type code: 12 bytes, as the program's routines lay them out.
#pragma pack(push, 4)
struct ValueRecord {
  union {
    uint8_t bytes[8];
    int16_t i16;
    int32_t i32;
    uint32_t u32;
    int64_t i64;
    float f32;
    double f64;
    void* ptr;
    const char* text;
    struct {
      uint32_t windowId;
      uint32_t unitId;
    } unit;
  };
  uint32_t type;
};
#pragma pack(pop)
static_assert(sizeof(ValueRecord) == 12);

// The four classes of type codes: no value, the runtime's own types (0x80000000 to 0xBFFFFFFF,
// array codes included), unit type ids (library number << 16 | 1-based type number) and the rest.
enum class TypeClass { kNone, kSystem, kUnitType, kOther };

constexpr TypeClass ClassOf(uint32_t code) {
  if (code == type::kNone) return TypeClass::kNone;
  if (code >= 0x80000000 && code <= 0xBFFFFFFF) return TypeClass::kSystem;
  if (code <= 0x3FFFFFFF) return TypeClass::kUnitType;
  return TypeClass::kOther;
}

constexpr bool IsArrayType(uint32_t code) { return (code & type::kArrayBit) != 0; }
constexpr uint32_t ElementTypeOf(uint32_t code) { return code & ~type::kArrayBit; }

// Bytes one element of a number type occupies in an array block; 0 for every other type.
constexpr uint32_t NumericElementSize(uint32_t code) {
  switch (code) {
    case type::kByte: return 1;
    case type::kShort: return 2;
    case type::kInt: return 4;
    case type::kInt64: return 8;
    case type::kFloat: return 4;
    case type::kDouble: return 8;
    default: return 0;
  }
}

inline ValueRecord MakeValue(uint32_t typeCode) {
  ValueRecord v;
  std::memset(&v, 0, sizeof v);
  v.type = typeCode;
  return v;
}

// A library command: fills `result` (zeroed by the caller) from `count` records at `args`.
using LibraryCommand = void (*)(ValueRecord* result, int32_t count, ValueRecord* args);

}  // namespace runtime

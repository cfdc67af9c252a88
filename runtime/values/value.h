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

inline ValueRecord MakeValue(uint32_t typeCode) {
  ValueRecord v;
  std::memset(&v, 0, sizeof v);
  v.type = typeCode;
  return v;
}

// A library command: fills `result` (zeroed by the caller) from `count` records at `args`.
using LibraryCommand = void (*)(ValueRecord* result, int32_t count, ValueRecord* args);

}  // namespace runtime

#pragma once
// The records a unit fills to raise an event: the plain report (host notify 2008) and the typed
// report whose arguments are value records (host notify 2031). Words that may carry a pointer are
// pointer-sized.
#include <cstdint>

#include "runtime/values/value.h"

namespace units {

constexpr int32_t kMaxEventArguments = 5;
constexpr int32_t kMaxTypedEventArguments = 12;

struct EventReport {
  uint32_t windowId;
  uint32_t unitId;
  int32_t event;          // 0 and up: the type's own events; negative: the common events
  int32_t argumentCount;  // 0 to 5
  intptr_t arguments[kMaxEventArguments];
  int32_t hasResult;  // set to 1 by the host when a handler returned a value
  int32_t result;
};

namespace typed_argument {
constexpr uint32_t kByReference = 1;  // the data is the address of the value
constexpr uint32_t kTwoWords = 2;
}  // namespace typed_argument

struct TypedArgument {
  runtime::ValueRecord value;
  uint32_t flags;
};
static_assert(sizeof(TypedArgument) == 16);

struct TypedEventReport {
  uint32_t windowId;
  uint32_t unitId;
  int32_t event;
  int32_t argumentCount;  // 0 to 12
  TypedArgument arguments[kMaxTypedEventArguments];
  int32_t hasResult;
  int64_t result;  // the 8 data bytes of the handler's value
};

// What a report came back with. When the handler destroyed the unit, `unitAlive` is false and
// the caller must not touch the unit again: return at once.
struct EventOutcome {
  bool handled = false;  // the host ran a handler
  bool hasResult = false;
  int64_t result = 0;
  bool unitAlive = true;

  // The handler answered false, the usual way of vetoing what the event announces.
  bool ReturnedFalse() const { return hasResult && result == 0; }
};

}  // namespace units

#pragma once
// The records a unit fills to raise an event: the plain report (host notify 2008) and the typed
// report whose arguments are value records (host notify 2031). Words that may carry a pointer are
// pointer-sized.
#include <cstdint>

#include "base/values/value.h"

namespace units {

// The events every unit raises, besides its type's own (0 and up). The window raises the mouse,
// keyboard and wheel events for itself and its units; each unit raises its focus events.
namespace common_event {
constexpr int32_t kLeftButtonDown = -1;  // x, y, modifiers
constexpr int32_t kLeftButtonUp = -2;
constexpr int32_t kLeftDoubleClick = -3;
constexpr int32_t kRightButtonDown = -4;
constexpr int32_t kRightButtonUp = -5;
constexpr int32_t kMouseMove = -6;
constexpr int32_t kGotFocus = -7;    // no arguments
constexpr int32_t kLostFocus = -8;
constexpr int32_t kKeyDown = -9;     // key code, modifiers
constexpr int32_t kKeyUp = -10;
constexpr int32_t kCharacter = -11;  // character code; a returned value replaces it, 0 swallows it
constexpr int32_t kWheel = -12;      // wheel steps (signed), modifiers
}  // namespace common_event

// A button-like unit's (push button, radio button, check box) own event 0: its click, which the
// window also raises for Enter on a default button, for arrow keys within a radio group and for a
// mnemonic.
namespace button_event {
constexpr int32_t kClick = 0;
}  // namespace button_event

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

#pragma once
// What the host hands each support library when it starts: the notify function through which the
// library's units report. It is kept here by library number (the high half of a unit type id), so
// that a unit type reaches the function of the library that hands it out without knowing that
// library, and a library keeps it without knowing its types.
#include <cstdint>

#include "base/program/program_header.h"

namespace units {

// Library numbers run from 1 to this.
constexpr uint32_t kMostLibraries = 16;

// Keeps `host` for library `number` (null forgets it); false, keeping nothing, for a number out
// of range.
bool KeepLibraryHostNotify(uint32_t number, runtime::HostNotify host);

// The function library `number` was handed; null before it was, after it was taken back, and for
// a number out of range.
runtime::HostNotify LibraryHostNotify(uint32_t number);

// A library's notify function when it has nothing of its own to do: keeps what the host hands
// library `Number` and answers 0 to every code.
template <uint32_t Number>
intptr_t KeepHostNotify(int32_t code, intptr_t arg1, intptr_t /*arg2*/) {
  static_assert(Number >= 1 && Number <= kMostLibraries, "library numbers start at 1");
  if (code == runtime::library_notify::kSetHostNotify)
    KeepLibraryHostNotify(Number, reinterpret_cast<runtime::HostNotify>(arg1));
  return 0;
}

}  // namespace units

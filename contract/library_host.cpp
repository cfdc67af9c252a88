#include "contract/library_host.h"

#include <array>

namespace units {
namespace {

// Constant-initialised, so a library told before any other file's initialisation finds it ready.
constinit std::array<runtime::HostNotify, kMostLibraries> gHostNotify{};

bool InRange(uint32_t number) { return number >= 1 && number <= kMostLibraries; }

}  // namespace

bool KeepLibraryHostNotify(uint32_t number, runtime::HostNotify host) {
  if (!InRange(number)) return false;
  gHostNotify[number - 1] = host;
  return true;
}

runtime::HostNotify LibraryHostNotify(uint32_t number) { return InRange(number) ? gHostNotify[number - 1] : nullptr; }

}  // namespace units

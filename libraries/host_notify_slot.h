#pragma once
// Each support library keeps the host notify function that the host hands it at start-up.
#include "base/program/program_header.h"

namespace units {

template <typename Library>
struct HostNotifySlot {
  static inline runtime::HostNotify host = nullptr;

  static intptr_t Notify(int32_t code, intptr_t arg1, intptr_t /*arg2*/) {
    if (code == runtime::library_notify::kSetHostNotify) host = reinterpret_cast<runtime::HostNotify>(arg1);
    return 0;
  }
};

}  // namespace units

#include "runtime/host/host_state.h"

#include "runtime/host/message_loop.h"

namespace runtime {

HostState& TheHost() {
  static HostState state;
  return state;
}

}  // namespace runtime

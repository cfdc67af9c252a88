#include "host/host_state.h"

#include "host/message_loop.h"

namespace runtime {

HostState& TheHost() {
  static HostState state;
  return state;
}

}  // namespace runtime

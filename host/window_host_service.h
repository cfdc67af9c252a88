#pragma once
// The host's side of what the window unit asks of it (contract/window_host.h): answered
// from the window list. Installed while the host runs.
#include "contract/window_host.h"

namespace runtime {

units::WindowHost& WindowHostService();

}  // namespace runtime

#pragma once
// The event-handler offsets a template's units and menu items are bound to.
#include <cstdint>
#include <vector>

#include "base/template/template_window.h"

namespace runtime {

// Every offset bound anywhere in `windows`, each once, in ascending order; unbound (negative)
// ones left out.
std::vector<int32_t> BoundHandlerOffsets(const WindowTable& windows);

}  // namespace runtime

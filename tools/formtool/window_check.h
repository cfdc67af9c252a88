#pragma once
// What keeps a template's window from being built as a window, said before the runtime tries and
// can only say that the window did not load.
#include <cstdint>
#include <string>

#include "base/template/template_window.h"
#include "tools/formtool/unit_catalogue.h"

namespace formtool {

// Empty when the window `id` exists and starts with its window unit; else what is wrong, with the
// window's id.
std::string WhyNoWindow(const runtime::WindowTable& windows, uint32_t id, const UnitCatalogue& types);

}  // namespace formtool

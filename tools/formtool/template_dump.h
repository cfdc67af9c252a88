#pragma once
// Listings of window template data read without relocation, so handlers show the stored
// offsets (-1 for none).
#include <cstddef>
#include <string>

#include "base/template/template_window.h"
#include "tools/formtool/unit_catalogue.h"

namespace formtool {

// A readable listing of every window, unit record, menu item, binding and property data block,
// and the properties by name of the units whose type `types` knows the table of.
std::string DumpText(const runtime::WindowTable& windows, size_t bytes, const UnitCatalogue& types = UnitCatalogue());

// The same as one JSON object; texts as UTF-8, byte data as hex, types by name. It compiles back
// to the same bytes.
std::string DumpJson(const runtime::WindowTable& windows, size_t bytes, const UnitCatalogue& types = UnitCatalogue());

}  // namespace formtool

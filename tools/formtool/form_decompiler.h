#pragma once
// Template data back as a form description that names each unit's type and properties, laid
// out for people: one unit to a line, then its properties one to a line, fields that hold
// nothing left out. A unit keeps its raw data when its type has no table, or when the
// properties its table reads would not write the same bytes again.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/template/template_window.h"
#include "tools/formtool/unit_catalogue.h"

namespace formtool {

struct DecompiledForm {
  std::string json;  // UTF-8
  // Pictures, icons, sounds and long raw data, by the name the description gives them.
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
};

// Files are named after `fileStem`, the window and unit ids and the property.
DecompiledForm DecompileTemplate(const runtime::WindowTable& windows, const UnitCatalogue& types,
                                 const std::string& fileStem);

}  // namespace formtool

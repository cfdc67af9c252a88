// The unit types of the toolbox's support libraries.
#include "libraries/support_libraries.h"
#include "tools/formtool/unit_catalogue.h"

namespace formtool {

const UnitCatalogue& ProgramUnitTypes() {
  static const UnitCatalogue catalogue(units::SupportLibraries());
  return catalogue;
}

}  // namespace formtool

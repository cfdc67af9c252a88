// The toolbox's support libraries, in the order of the program's library table: a unit type id
// names its library by this place.
#include "tools/formtool/unit_catalogue.h"
#include "libraries/core_library.h"
#include "libraries/ui1_library.h"
#include "libraries/ui2_library.h"
#include "libraries/web_library.h"

namespace formtool {

const UnitCatalogue& ProgramUnitTypes() {
  static const runtime::LibraryRecord* const kLibraries[] = {&units::CoreLibrary(), &units::Ui2Library(),
                                                             &units::Ui1Library(), &units::WebLibrary()};
  static const UnitCatalogue catalogue(kLibraries);
  return catalogue;
}

}  // namespace formtool

#include "libraries/support_libraries.h"

#include <array>

namespace units {

std::span<const runtime::LibraryRecord* const> SupportLibraries() {
  // Built on first use: the records are constants of other translation units.
  static const std::array<const runtime::LibraryRecord*, 4> kLibraries = [] {
    std::array<const runtime::LibraryRecord*, 4> libraries{};
    libraries.at(library_number::kCore - 1) = &CoreLibrary();
    libraries.at(library_number::kUi2 - 1) = &Ui2Library();
    libraries.at(library_number::kUi1 - 1) = &Ui1Library();
    libraries.at(library_number::kWeb - 1) = &WebLibrary();
    return libraries;
  }();
  return kLibraries;
}

}  // namespace units

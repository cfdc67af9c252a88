// Feeds arbitrary bytes to the reader of the accessible names kept beside the template: a table
// it accepts is written again and must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/template/accessible_names.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::optional<std::vector<runtime::AccessibleEntry>> entries = runtime::ReadAccessibleNames({data, size});
  if (!entries) return 0;
  const std::vector<uint8_t> again = runtime::WriteAccessibleNames(*entries);
  std::optional<std::vector<runtime::AccessibleEntry>> reread = runtime::ReadAccessibleNames(again);
  if (!reread || reread->size() != entries->size()) std::abort();
  for (size_t i = 0; i < entries->size(); ++i) {
    const runtime::AccessibleEntry& a = (*entries)[i];
    const runtime::AccessibleEntry& b = (*reread)[i];
    if (a.windowId != b.windowId || a.unitId != b.unitId || a.readingOrder != b.readingOrder || a.name != b.name ||
        a.description != b.description)
      std::abort();
  }
  return 0;
}

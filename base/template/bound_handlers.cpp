#include "base/template/bound_handlers.h"

#include <set>

#include "base/template/unit_record.h"

namespace runtime {

std::vector<int32_t> BoundHandlerOffsets(const WindowTable& windows) {
  std::set<int32_t> offsets;
  for (size_t w = 0; w < windows.Size(); ++w) {
    const UnitList& units = windows.At(w).units;
    for (uint32_t i = 0; i < units.Count(); ++i) {
      std::optional<UnitEntry> entry = units.EntryAt(i);
      if (!entry) continue;
      if (units.IsMenuItem(i)) {
        MenuItemView item(entry->record);
        if (item.Valid() && item.Handler() >= 0) offsets.insert(item.Handler());
        continue;
      }
      for (const EventBinding& binding : UnitRecordView(entry->record).Bindings())
        if (binding.handler >= 0) offsets.insert(binding.handler);
    }
  }
  return {offsets.begin(), offsets.end()};
}

}  // namespace runtime

#include "host/accessible_names_apply.h"

#include <QWidget>

#include "platform/text.h"
#include "host/host_state.h"
#include "contract/unit.h"

namespace runtime {

void AdoptAccessibleNames(const ProgramHeader& header) {
  auto& names = TheHost().accessibleNames;
  names.clear();
  if (header.accessibleNames == nullptr) return;
  std::optional<std::vector<AccessibleEntry>> entries =
      ReadAccessibleNames({header.accessibleNames, header.accessibleNamesLength});
  if (!entries) return;
  for (AccessibleEntry& entry : *entries) names[entry.windowId][entry.unitId] = std::move(entry);
}

void ApplyAccessibleNames(uint32_t windowId, units::Unit& unit) {
  const auto& names = TheHost().accessibleNames;
  auto window = names.find(windowId);
  if (window == names.end()) return;
  auto found = window->second.find(unit.UnitId());
  if (found == window->second.end()) return;
  const AccessibleEntry& entry = found->second;
  QWidget* widget = unit.widget();
  if (!entry.name.empty()) widget->setAccessibleName(platform::FromGbk(entry.name));
  if (!entry.description.empty()) widget->setAccessibleDescription(platform::FromGbk(entry.description));
  unit.SetReadingOrder(entry.readingOrder);
}

}  // namespace runtime

#include "host/window_access.h"

#include <QWidget>

#include "host/host_state.h"
#include "contract/unit.h"
#include "contract/unit_type_registry.h"

namespace runtime {

units::Unit* UnitAt(const TemplateWindow& window, uint32_t index) {
  return static_cast<units::Unit*>(window.units.LiveObject(index));
}

units::LiveWindow* LiveWindowOf(const TemplateWindow& window) {
  return dynamic_cast<units::LiveWindow*>(UnitAt(window, 0));
}

TemplateWindow* FindLoadedWindow(uint32_t windowId) {
  TemplateWindow* window = TheHost().windows.Find(windowId);
  return window != nullptr && UnitAt(*window, 0) != nullptr ? window : nullptr;
}

const UnitTypeRecord* FindType(uint32_t typeId) {
  const auto& libraries = TheHost().libraries;
  return units::FindUnitType(libraries.data(), static_cast<uint32_t>(libraries.size()), typeId);
}

UnitRecordView RecordAt(const TemplateWindow& window, uint32_t index) {
  auto entry = window.units.EntryAt(index);
  return UnitRecordView(entry ? entry->record : std::span<const uint8_t>());
}

bool UnitEnabled(const TemplateWindow& window, uint32_t index) {
  if (index == 0) {
    const units::LiveWindow* live = LiveWindowOf(window);
    return live == nullptr || live->enabled;
  }
  units::Unit* unit = UnitAt(window, index);
  return unit == nullptr || !unit->widget()->testAttribute(Qt::WA_ForceDisabled);
}

void SetUnitEnabled(const TemplateWindow& window, uint32_t index, bool enabled) {
  if (index == 0) {
    if (units::LiveWindow* live = LiveWindowOf(window)) live->SetEnabled(enabled);
    return;
  }
  if (units::Unit* unit = UnitAt(window, index)) unit->widget()->setEnabled(enabled);
}

int64_t IndexOfUnit(const TemplateWindow& window, uint32_t unitId) {
  if (unitId == 0) return window.units.Count() > 0 ? 0 : -1;
  auto entry = window.units.EntryById(unitId);
  return entry ? static_cast<int64_t>(entry->index) : -1;
}

}  // namespace runtime

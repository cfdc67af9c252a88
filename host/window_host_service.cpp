#include "host/window_host_service.h"

#include "host/host.h"
#include "host/host_state.h"
#include "host/window_access.h"
#include "contract/unit.h"

namespace runtime {
namespace {

class HostWindows final : public units::WindowHost {
 public:
  std::vector<units::WindowMember> UnitsOf(const units::Unit& window) override {
    std::vector<units::WindowMember> members;
    TemplateWindow* loaded = TheHost().windows.Find(window.WindowId());
    if (loaded == nullptr || UnitAt(*loaded, 0) != &window) return members;
    for (uint32_t i = 1; i < loaded->units.Count(); ++i) {
      if (loaded->units.IsMenuItem(i)) continue;
      units::Unit* unit = UnitAt(*loaded, i);
      if (unit == nullptr) continue;
      UnitRecordView record = RecordAt(*loaded, i);
      members.push_back({i, unit, FindType(record.Type()), (record.StateFlags() & state_flag::kTabStop) != 0,
                         record.TabOrder()});
    }
    return members;
  }

  size_t WindowCount() override { return TheHost().windows.Size(); }

  units::LiveWindow* LiveWindowAt(size_t position) override {
    WindowTable& windows = TheHost().windows;
    return position < windows.Size() ? LiveWindowOf(windows.At(position)) : nullptr;
  }

  bool BuildingModal() override { return runtime::BuildingModal(); }

  QWidget* HiddenOwner() override { return runtime::HiddenOwner(); }
};

}  // namespace

units::WindowHost& WindowHostService() {
  static HostWindows service;
  return service;
}

}  // namespace runtime

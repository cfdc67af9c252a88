#pragma once
// Small lookups over the window list that the host's parts share.
#include <cstdint>

#include "contract/live_window.h"
#include "base/program/program_header.h"
#include "base/template/template_window.h"
#include "base/template/unit_record.h"

namespace units {
class Unit;
}

namespace runtime {

// The state flags of a unit record.
namespace state_flag {
constexpr uint32_t kVisible = 0x1;
constexpr uint32_t kDisabled = 0x2;
constexpr uint32_t kTabStop = 0x4;
}  // namespace state_flag

units::Unit* UnitAt(const TemplateWindow& window, uint32_t index);
units::LiveWindow* LiveWindowOf(const TemplateWindow& window);
// A loaded window: one whose own unit is live.
TemplateWindow* FindLoadedWindow(uint32_t windowId);
// The unit type record of a type id among the program's libraries, or null.
const UnitTypeRecord* FindType(uint32_t typeId);
// The view of entry `index`; invalid when there is none.
UnitRecordView RecordAt(const TemplateWindow& window, uint32_t index);
// The enabled state of a live unit: its own, not what it inherits from the units around it. The
// window's own unit is the window's enabled state, which leaves its units alone.
bool UnitEnabled(const TemplateWindow& window, uint32_t index);
void SetUnitEnabled(const TemplateWindow& window, uint32_t index, bool enabled);
// The entry index of a unit id; unit id 0 and the window's own id are entry 0. -1 when absent.
int64_t IndexOfUnit(const TemplateWindow& window, uint32_t unitId);

}  // namespace runtime

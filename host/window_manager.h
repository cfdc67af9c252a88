#pragma once
// Building windows from their template records, showing them, modality and their end.
#include <cstdint>
#include <string>

#include <QWidget>

#include "base/template/template_window.h"

namespace runtime {

enum class BuildResult { kBuilt, kAlreadyLoaded, kFailed };

// Builds `window` with its units; `owner` is ignored for a modal window. A window that cannot
// create one of its units is destroyed again, and `*failedUnit` names that unit.
BuildResult BuildWindow(TemplateWindow& window, bool modal, QWidget* owner, std::string* failedUnit = nullptr);

// After a load (show 0) or when the program makes the window visible (show 1): the first show
// when it is pending, and the nested loop of a modal window.
void ShowAfterLoad(uint32_t windowId, bool show);

// Notify 2000: forgets the unit, or restores the window's records when the window itself went.
void UnitDestroyed(uint32_t windowId, uint32_t unitId);

// Makes the cursor of entry `index` from its mouse pointer data anew and sets it on the unit.
void ApplyCursor(TemplateWindow& window, uint32_t index);

// Raises event `event` of a unit of a loaded window on its behalf.
void RaiseUnitEvent(uint32_t windowId, uint32_t unitId, int32_t event);

}  // namespace runtime

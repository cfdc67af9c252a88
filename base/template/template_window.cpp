#include "base/template/template_window.h"

#include "base/template/template_ids.h"

namespace runtime {

void TemplateWindow::RestorePristineCopy() {
  if (pristine) {
    units = std::move(*pristine);
    pristine.reset();
    return;
  }
  units = units.CopyWithoutSlots();
}

void WindowTable::Append(WindowTable&& other) {
  for (auto& window : other.windows_) windows_.push_back(std::move(window));
  other.windows_.clear();
}

TemplateWindow* WindowTable::Find(uint32_t id) {
  if (!IsValidId(id)) return nullptr;
  for (auto& window : windows_) {
    if (window->id == id) return window.get();
  }
  return nullptr;
}

}  // namespace runtime

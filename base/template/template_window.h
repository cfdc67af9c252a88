#pragma once
// The in-memory form of the window template data: one object per window, and the table that
// finds them by id.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/template/unit_list.h"

namespace runtime {

struct TemplateWindow {
  uint32_t id = 0;
  uint32_t opaque = 0;    // kept, never interpreted
  uint32_t moduleId = 0;  // kept, not used to build the window
  std::string firstText;  // GBK, kept, not used
  std::string secondText;
  UnitList units;  // the working list; property writes and run-time slots change it
  // Taken when the window is built, swapped back when it is destroyed, so that the next load
  // starts from the template's values.
  std::optional<UnitList> pristine;

  void TakePristineCopy() { pristine = units.CopyWithoutSlots(); }
  // A build that fails drops the copy.
  void DropPristineCopy() { pristine.reset(); }
  // Brings back the template's records with empty side slots. Without a copy (the window was
  // never built) there is nothing to restore and the working list only loses its side slots.
  void RestorePristineCopy();
};

class WindowTable {
 public:
  size_t Size() const { return windows_.size(); }
  TemplateWindow& At(size_t i) { return *windows_[i]; }
  const TemplateWindow& At(size_t i) const { return *windows_[i]; }
  void Add(std::unique_ptr<TemplateWindow> window) { windows_.push_back(std::move(window)); }
  // Moves the other table's windows to the end of this one; the objects keep their addresses.
  void Append(WindowTable&& other);

  // The first window with that id; null for an invalid or absent id.
  TemplateWindow* Find(uint32_t id);

 private:
  std::vector<std::unique_ptr<TemplateWindow>> windows_;
};

}  // namespace runtime

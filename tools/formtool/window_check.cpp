#include "tools/formtool/window_check.h"

#include "base/template/unit_record.h"
#include "contract/unit_type_ids.h"
#include "tools/formtool/source_values.h"

namespace formtool {

std::string WhyNoWindow(const runtime::WindowTable& windows, uint32_t id, const UnitCatalogue& types) {
  const runtime::TemplateWindow* window = nullptr;
  std::string ids;
  for (size_t i = 0; i < windows.Size(); ++i) {
    if (window == nullptr && windows.At(i).id == id) window = &windows.At(i);
    ids += (ids.empty() ? "" : ", ") + HexWord(windows.At(i).id);
  }
  if (window == nullptr)
    return "no window " + HexWord(id) +
           (ids.empty() ? std::string("; the template holds no windows") : "; its windows are " + ids);
  const std::string name = "window " + HexWord(id);
  std::optional<runtime::UnitEntry> first = window->units.EntryAt(0);
  if (!first) return name + " holds no units: its first unit must be its window unit";
  if (window->units.IsMenuItem(0))
    return name + ": its first entry " + HexWord(first->id) + " is a menu item; the first must be its window unit";
  const uint32_t type = runtime::UnitRecordView(first->record).Type();
  if (type != units::type_id::kWindow) {
    const std::string typeName = types.NameOf(type);
    return name + ": its first unit " + HexWord(first->id) + " is of type " + (typeName.empty() ? HexWord(type) : typeName) +
           ", not a window; the first unit must be its window unit";
  }
  return {};
}

}  // namespace formtool

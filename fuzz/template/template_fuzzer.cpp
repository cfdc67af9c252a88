// Feeds arbitrary bytes to the window template reader and walks everything it accepts: every
// navigator, the cursor choice, lookups, an edit of each record and the pristine swap.
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/template/mouse_pointer.h"
#include "base/template/template_reader.h"
#include "base/template/unit_record.h"

namespace {

// Touches every byte a view answers, so the sanitizers check each read.
size_t Walk(const runtime::UnitList& units) {
  size_t sum = 0;
  for (uint32_t i = 0; i <= units.Count(); ++i) {
    std::optional<runtime::UnitEntry> entry = units.EntryAt(i);
    if (!entry) continue;
    sum += units.EntryById(entry->id) ? 1 : 0;
    if (units.IsMenuItem(i)) {
      runtime::MenuItemView item(entry->record);
      sum += item.Name().size() + item.SecondText().size() + item.Caption().size() + item.Shortcut() +
             item.Level() + item.StateBits() + static_cast<uint32_t>(item.Handler()) + item.Type() + item.EventSource();
      continue;
    }
    runtime::UnitRecordView unit(entry->record);
    sum += unit.Type() + unit.EventSource() + unit.Name().size() + unit.SecondText().size() + unit.LiveObjectWord() +
           static_cast<uint32_t>(unit.Rect().left) + static_cast<uint32_t>(unit.Rect().height) + unit.CursorWord() + unit.Parent() +
           unit.Children().size() + unit.Tag().size() + unit.StateFlags() + unit.TabOrder() + unit.Bindings().size();
    for (uint8_t b : unit.PointerData()) sum += b;
    for (uint8_t b : unit.PropertyData()) sum += b;
    runtime::CursorChoice choice = runtime::SelectCursor(unit.PointerData());
    for (uint8_t b : choice.image) sum += b;
  }
  return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int32_t kHandlers[] = {0, 58, 7110, -2};
  std::span<const uint8_t> bytes(data, size);
  volatile size_t sink = 0;
  if (std::optional<runtime::WindowTable> relocated = runtime::ReadTemplate(bytes, kHandlers)) {
    for (size_t w = 0; w < relocated->Size(); ++w) sink = sink + Walk(relocated->At(w).units);
  }
  std::optional<runtime::WindowTable> table = runtime::ReadTemplateAsStored(bytes);
  if (!table) return 0;
  const uint8_t edit[] = {0, 1, 2, 3, 4, 5, 6};
  for (size_t w = 0; w < table->Size(); ++w) {
    runtime::TemplateWindow& window = table->At(w);
    sink = sink + (table->Find(window.id) != nullptr);
    window.TakePristineCopy();
    for (uint32_t i = 0; i < window.units.Count(); ++i) {
      // Positions and lengths derived from the data, in range or not: edits either fit the
      // record or are refused.
      int64_t position = static_cast<int64_t>(size % 97) - 1;
      int64_t length = static_cast<int64_t>((size / 7 + i) % 13) - 1;
      window.units.ReplaceBytes(i, position, length, std::span(edit, (size + i) % sizeof edit));
      window.units.SetLiveObject(i, &window);
      sink = sink + Walk(window.units);
    }
    window.RestorePristineCopy();
    sink = sink + Walk(window.units) + (window.units.LiveObject(0) != nullptr);
  }
  return 0;
}

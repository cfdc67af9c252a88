#include "host/event_dispatch.h"

#include <algorithm>
#include <vector>

#include "platform/gbk.h"
#include "host/window_access.h"
#include "base/program/runtime_error.h"
#include "contract/type_flags.h"
#include "contract/unit_type_ids.h"
#include "contract/unit_type_records.h"

namespace runtime {
namespace {

struct Target {
  EventHandler handler = nullptr;
  uint32_t windowId = 0;
  uint32_t unitId = 0;
};

// Finds the handler bound to the event, after the checks that end the program when the report
// names no window or unit of a loaded window. A null handler: nothing is bound.
Target FindHandler(uint32_t windowId, uint32_t unitId, int32_t event) {
  TemplateWindow* window = FindLoadedWindow(windowId);
  if (window == nullptr) ReportRuntimeError(platform::Utf8ToGbk("未找到引发事件的窗口"), 0);
  int64_t index = IndexOfUnit(*window, unitId);
  if (index < 0) ReportRuntimeError(platform::Utf8ToGbk("未找到引发事件的窗口组件"), 0);
  Target target{nullptr, windowId, window->units.IdAt(static_cast<uint32_t>(index))};

  const HandlerTable* handlers = TheHost().header != nullptr ? TheHost().header->handlers : nullptr;
  auto handlerAt = [handlers](int32_t slot) -> EventHandler {
    if (slot <= 0 || handlers == nullptr || static_cast<uint32_t>(slot) > handlers->count) return nullptr;
    return handlers->handlers[slot - 1];
  };

  if (window->units.IsMenuItem(static_cast<uint32_t>(index))) {
    auto entry = window->units.EntryAt(static_cast<uint32_t>(index));
    MenuItemView item(entry->record);
    target.handler = item.Valid() ? handlerAt(item.Handler()) : nullptr;
    return target;
  }

  // Units that share handlers name a first unit as their event source; a chain that comes back
  // on itself ends after as many steps as the list has entries.
  UnitRecordView record = RecordAt(*window, static_cast<uint32_t>(index));
  uint32_t type = record.Type();
  for (uint32_t steps = 0; steps < window->units.Count() && record.EventSource() != 0; ++steps) {
    auto source = window->units.EntryById(record.EventSource());
    if (!source || window->units.IsMenuItem(source->index)) break;
    UnitRecordView next(source->record);
    if (!next.Valid() || next.Type() != type) break;
    record = next;
  }

  const UnitTypeRecord* unitType = FindType(type);
  const bool raisesEvents = unitType != nullptr && (unitType->flags & units::type_flag::kRaisesEvents) != 0;
  if (type != units::type_id::kMenuItem && !raisesEvents)
    ReportRuntimeError(platform::Utf8ToGbk("引发事件的窗口组件无效"), 0);
  for (const EventBinding& binding : record.Bindings()) {
    if (binding.event == event) {
      target.handler = handlerAt(binding.handler);
      break;
    }
  }
  return target;
}

// Calls the handler with the unit recorded as the current sender, clearing it afterwards.
bool CallHandler(const Target& target, const std::vector<intptr_t>& words, int64_t* result) {
  EventSender& sender = TheHost().sender;
  sender = {target.windowId, target.unitId};
  bool produced = target.handler(words.data(), static_cast<int32_t>(words.size()), result);
  sender.windowId = 0;
  return produced;
}

// A typed argument as the handler receives it: by reference its address; otherwise the value
// in one machine word, bytes widened without sign and shorts with sign. Eight-byte values fill
// the word whole.
intptr_t ArgumentWord(const units::TypedArgument& argument) {
  const ValueRecord& value = argument.value;
  if (argument.flags & units::typed_argument::kByReference) return reinterpret_cast<intptr_t>(value.ptr);
  switch (value.type) {
    case type::kByte: return value.bytes[0];
    case type::kShort: return value.i16;
    case type::kInt:
    case type::kBool: return value.i32;
    case type::kFloat: return static_cast<intptr_t>(value.u32);
    default: return static_cast<intptr_t>(value.i64);
  }
}

}  // namespace

int32_t DeliverEvent(units::EventReport& report) {
  if (EventSuppressionCount() > 0) return 0;
  Target target = FindHandler(report.windowId, report.unitId, report.event);
  if (target.handler == nullptr) return 0;
  int32_t count = std::clamp(report.argumentCount, 0, units::kMaxEventArguments);
  std::vector<intptr_t> words(report.arguments, report.arguments + count);
  int64_t result = 0;
  if (CallHandler(target, words, &result)) {
    report.hasResult = 1;
    report.result = static_cast<int32_t>(result);
  }
  return 1;
}

int32_t DeliverTypedEvent(units::TypedEventReport& report) {
  if (EventSuppressionCount() > 0) return 0;
  Target target = FindHandler(report.windowId, report.unitId, report.event);
  if (target.handler == nullptr) return 0;
  int32_t count = std::clamp(report.argumentCount, 0, units::kMaxTypedEventArguments);
  std::vector<intptr_t> words;
  for (int32_t i = 0; i < count; ++i) words.push_back(ArgumentWord(report.arguments[i]));
  int64_t result = 0;
  if (CallHandler(target, words, &result)) {
    report.hasResult = 1;
    report.result = result;
  }
  return 1;
}

bool CurrentEventSender(EventSender* sender) {
  const EventSender& current = TheHost().sender;
  if (current.windowId == 0) return false;
  *sender = current;
  return true;
}

}  // namespace runtime

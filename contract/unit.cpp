#include "contract/unit.h"

#include <algorithm>
#include <cstring>

#include "base/program/notify_codes.h"
#include "contract/told_results.h"
#include "contract/unit_interfaces.h"

namespace units {
namespace {

// An event report of either kind, zeroed where the host answers, naming the unit and the event.
template <typename Report, typename Argument>
Report NewReport(const UnitIdentity& identity, int32_t event, std::span<const Argument> arguments) {
  Report report;
  std::memset(&report, 0, sizeof report);
  report.windowId = identity.windowId;
  report.unitId = identity.unitId;
  report.event = event;
  report.argumentCount = static_cast<int32_t>(arguments.size());
  std::copy(arguments.begin(), arguments.end(), report.arguments);
  return report;
}

}  // namespace

void Unit::BindDataSource(const char* /*name*/) {}

void Unit::LayOutBars() {}

void Unit::Refresh() {}

bool Unit::PreTranslate(QObject* /*target*/, QEvent* /*event*/) { return false; }

QString Unit::MnemonicText() const { return {}; }

bool Unit::Send(int32_t code, void* report, EventOutcome& outcome) {
  if (identity_.host == nullptr) return false;
  QPointer<QWidget> alive(widget());
  HandlerRun run;
  outcome.handled = identity_.host(code, reinterpret_cast<intptr_t>(report), 0) != 0;
  outcome.unitAlive = !alive.isNull();
  return true;
}

EventOutcome Unit::DeliverEvent(int32_t event, std::span<const intptr_t> arguments) {
  auto report = NewReport<EventReport>(identity_, event, arguments);
  EventOutcome outcome;
  if (Send(runtime::notify::kRaiseEvent, &report, outcome)) {
    outcome.hasResult = report.hasResult != 0;
    outcome.result = report.result;
  }
  return outcome;
}

EventOutcome Unit::ReportTypedEvent(int32_t event, std::span<const TypedArgument> arguments) {
  EventOutcome outcome;
  if (arguments.size() > static_cast<size_t>(kMaxTypedEventArguments)) return outcome;
  auto report = NewReport<TypedEventReport>(identity_, event, arguments);
  if (Send(runtime::notify::kRaiseTypedEvent, &report, outcome)) {
    outcome.hasResult = report.hasResult != 0;
    outcome.result = report.result;
  }
  return outcome;
}

void Unit::ReportDestroyed() {
  if (identity_.host != nullptr) identity_.host(runtime::notify::kUnitDestroyed, identity_.windowId, identity_.unitId);
}

void* GetAllPropertyData(Unit* unit, int32_t* length) {
  if (unit == nullptr) {
    *length = 0;
    return nullptr;
  }
  return WritePropertyBlock(unit->Properties(), length);
}

void* AnswerInterface(const InterfaceTable& table, int32_t number) {
  using namespace interface_number;
  switch (number) {
    case kCreateUnit: return InterfaceAddress<kCreateUnit>(table.createUnit);
    case kPropertyApplicable: return InterfaceAddress<kPropertyApplicable>(table.propertyApplicable);
    case kPropertyChanged: return InterfaceAddress<kPropertyChanged>(table.propertyChanged);
    case kGetAllPropertyData: return InterfaceAddress<kGetAllPropertyData>(table.getAllPropertyData);
    case kGetProperty: return InterfaceAddress<kGetProperty>(table.getProperty);
    case kGetIconData: return InterfaceAddress<kGetIconData>(table.getIconData);
    case kWantsKey: return InterfaceAddress<kWantsKey>(table.wantsKey);
    case kEnumTexts: return InterfaceAddress<kEnumTexts>(table.enumTexts);
    case kIsDefaultButton: return InterfaceAddress<kIsDefaultButton>(table.isDefaultButton);
    case kPreTranslate: return InterfaceAddress<kPreTranslate>(table.preTranslate);
    default: return nullptr;
  }
}

}  // namespace units

#include "tools/formtool/event_log.h"

#include <QStringList>

#include <algorithm>

#include "platform/text.h"
#include "host/host.h"
#include "host/window_access.h"
#include "base/program/runtime_error.h"
#include "base/values/value.h"
#include "contract/event_report.h"
#include "contract/unit.h"
#include "libraries/support_libraries.h"

namespace formtool {
namespace {

EventSink gSink;

QString Text(const char* gbk) { return gbk != nullptr ? QLatin1Char('"') + platform::FromGbk(gbk) + QLatin1Char('"') : QStringLiteral("\"\""); }

// A typed argument as an author reads it: texts quoted, numbers as numbers, values handed by
// reference shown through the reference.
QString TypedArgumentText(const units::TypedArgument& argument) {
  const runtime::ValueRecord& value = argument.value;
  const bool byReference = (argument.flags & units::typed_argument::kByReference) != 0;
  if (byReference && value.ptr == nullptr) return QStringLiteral("null");
  switch (value.type) {
    case runtime::type::kText:
      return Text(byReference ? *static_cast<const char* const*>(value.ptr) : value.text);
    case runtime::type::kByte:
      return QString::number(byReference ? *static_cast<const uint8_t*>(value.ptr) : value.bytes[0]);
    case runtime::type::kShort:
      return QString::number(byReference ? *static_cast<const int16_t*>(value.ptr) : value.i16);
    case runtime::type::kInt:
    case runtime::type::kBool:
      return QString::number(byReference ? *static_cast<const int32_t*>(value.ptr) : value.i32);
    case runtime::type::kInt64:
      return QString::number(byReference ? *static_cast<const int64_t*>(value.ptr) : value.i64);
    case runtime::type::kFloat:
      return QString::number(byReference ? *static_cast<const float*>(value.ptr) : value.f32);
    case runtime::type::kDouble:
      return QString::number(byReference ? *static_cast<const double*>(value.ptr) : value.f64);
    default: return QStringLiteral("0x") + QString::number(static_cast<quint64>(value.i64), 16);
  }
}

// "WINDOW CAPTION / UNIT NAME (0xUNITID): event N" ("WINDOW CAPTION (0xUNITID)" for a unit without
// a name, the window's own) and, when there are any, the arguments in brackets:
// "event -1 (12, 30, 0)".
QString EventLine(const QString& caption, const QString& unitName, uint32_t unitId, int32_t event,
                  const QStringList& arguments) {
  // The window's own unit has no name: its caption names it.
  QString line = caption + (unitName.isEmpty() ? QString() : QStringLiteral(" / ") + unitName) + QStringLiteral(" (0x") +
                 QStringLiteral("%1").arg(unitId, 8, 16, QLatin1Char('0')).toUpper() + QStringLiteral("): event ") +
                 QString::number(event);
  if (!arguments.isEmpty()) line += QStringLiteral(" (") + arguments.join(QStringLiteral(", ")) + QLatin1Char(')');
  return line;
}

void Describe(uint32_t windowId, uint32_t unitId, int32_t event, const QStringList& arguments) {
  // What the host would not deliver (a window going, an error on screen) is not logged either.
  if (runtime::EventSuppressionCount() > 0) return;
  const runtime::TemplateWindow* window = runtime::FindLoadedWindow(windowId);
  if (window == nullptr) return;
  const int64_t index = runtime::IndexOfUnit(*window, unitId);
  if (index < 0) return;
  units::Unit* own = runtime::UnitAt(*window, 0);
  const QString caption = own != nullptr ? own->widget()->windowTitle() : QString();
  const uint32_t entry = static_cast<uint32_t>(index);
  std::string_view name;
  if (window->units.IsMenuItem(entry)) {
    auto item = window->units.EntryAt(entry);
    name = runtime::MenuItemView(item->record).Name();
  } else {
    name = runtime::RecordAt(*window, entry).Name();
  }
  gSink(EventLine(caption, platform::FromGbk(name), window->units.IdAt(entry), event, arguments));
}

intptr_t LoggingNotify(int32_t code, intptr_t arg1, intptr_t arg2) {
  if (code == runtime::notify::kRaiseEvent && arg1 != 0) {
    const auto* report = reinterpret_cast<const units::EventReport*>(arg1);
    QStringList arguments;
    for (int32_t i = 0; i < std::clamp(report->argumentCount, 0, units::kMaxEventArguments); ++i)
      arguments.append(QString::number(static_cast<qint64>(report->arguments[i])));
    Describe(report->windowId, report->unitId, report->event, arguments);
  } else if (code == runtime::notify::kRaiseTypedEvent && arg1 != 0) {
    const auto* report = reinterpret_cast<const units::TypedEventReport*>(arg1);
    QStringList arguments;
    for (int32_t i = 0; i < std::clamp(report->argumentCount, 0, units::kMaxTypedEventArguments); ++i)
      arguments.append(TypedArgumentText(report->arguments[i]));
    Describe(report->windowId, report->unitId, report->event, arguments);
  }
  return runtime::HostNotifyFunction(code, arg1, arg2);
}

}  // namespace

void LogUnitEvents(const EventSink& sink) {
  gSink = sink;
  if (!sink) return;
  for (const runtime::LibraryRecord* library : units::SupportLibraries()) {
    if (library->notify != nullptr)
      library->notify(runtime::library_notify::kSetHostNotify, reinterpret_cast<intptr_t>(&LoggingNotify), 0);
  }
}

}  // namespace formtool

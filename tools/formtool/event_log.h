#pragma once
// The preview's event log: one line for each event a unit raises, naming the window, the unit
// and the event with its arguments, before the host delivers it (to no handler, in a preview).
#include <QString>

#include <functional>

namespace formtool {

using EventSink = std::function<void(const QString& line)>;

// Hands every library of the preview the notify function that describes each event to `sink`.
// Called after every start of the host (which hands the libraries its own); an empty sink
// leaves the host's in place.
void LogUnitEvents(const EventSink& sink);

// "WINDOW CAPTION / UNIT NAME (0xUNITID): event N" ("WINDOW CAPTION (0xUNITID)" for a unit without
// a name, the window's own) and, when there are any, the arguments in brackets:
// "event -1 (12, 30, 0)".
QString EventLine(const QString& caption, const QString& unitName, uint32_t unitId, int32_t event,
                  const QStringList& arguments);

}  // namespace formtool

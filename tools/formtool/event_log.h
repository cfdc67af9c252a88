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

}  // namespace formtool

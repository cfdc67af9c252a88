#pragma once
// Delivering the events units raise to the program's handlers.
#include <cstdint>

#include "host/host_state.h"
#include "contract/event_report.h"

namespace runtime {

// Notify 2008 and 2031: 1 when a handler ran (its result then stands in the report), else 0.
int32_t DeliverEvent(units::EventReport& report);
int32_t DeliverTypedEvent(units::TypedEventReport& report);

// Notify 2017: the unit whose event is being handled; false when no handler runs.
bool CurrentEventSender(EventSender* sender);

}  // namespace runtime

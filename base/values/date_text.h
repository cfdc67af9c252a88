#pragma once
// A date-time value (days since 30 December 1899, the fraction being the time of day) as Chinese
// text: "2015年1月1日12时", the time written down to its last nonzero part.
#include "base/values/number_text.h"

namespace runtime {

// Writes the GBK text of `days`. Days outside 1 January 100 to 31 December 9999 are clamped to
// those days; not-a-number is no date and writes nothing.
void WriteDateTime(WorkBuffer& out, double days);

}  // namespace runtime

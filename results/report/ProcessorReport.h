#pragma once

#include "results/report/Report.h"

namespace qv::cli {

// The processor record and the window's lines, as "cpu" prints them; the clock is measured for 2 s
// unless `measureClock` is false.
Report processorReport(bool measureClock);

} // namespace qv::cli

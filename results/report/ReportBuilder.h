#pragma once

#include "results/report/MachineReport.h"

#include <string>

namespace qv::cli {

// This machine's report without benchmark sessions: processor (its clock measured for 2 s unless
// `measureClock` is false), system, network (found without sending anything) and the hardware of the
// installed machine tree; the machine identifier and every serial number replaced by their keys. The
// system section's colour count needs a graphical application.
MachineReport buildMachineReport(std::string program, bool measureClock);

// Adds a benchmark session and its warnings, each prefixed with its benchmark.
void addBenchmark(MachineReport& report, results::SavedResult session);

} // namespace qv::cli

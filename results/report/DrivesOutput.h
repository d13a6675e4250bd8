#pragma once

#include "hardware/DrivesCollector.h"
#include "results/JsonWriter.h"

#include <iosfwd>

namespace qv::cli {

// The drives facts as "info drives --json" prints them (keys in docs/hardware-info.md).
results::JsonObject drivesJson(const hardware::DrivesFacts& facts);

// The drives facts as lines for people: one per disk, its volumes indented beneath it, notes.
void writeDrivesText(std::ostream& out, const hardware::DrivesFacts& facts);

} // namespace qv::cli

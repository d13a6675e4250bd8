#pragma once

#include "hardware/MemoryCollector.h"
#include "results/JsonWriter.h"

#include <iosfwd>

namespace qv::cli {

// The memory facts as "info memory --json" prints them (keys in docs/hardware-info.md).
results::JsonObject memoryJson(const hardware::MemoryFacts& facts);

// The memory facts as lines for people: totals, arrays, one line per slot (empty ones too), notes.
void writeMemoryText(std::ostream& out, const hardware::MemoryFacts& facts);

} // namespace qv::cli

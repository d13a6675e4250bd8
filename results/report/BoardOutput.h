#pragma once

#include "hardware/BoardCollector.h"
#include "results/JsonWriter.h"

#include <iosfwd>

namespace qv::cli {

// The board facts as "info board --json" prints them (keys in docs/hardware-info.md).
results::JsonObject boardJson(const hardware::BoardFacts& facts);

// The board facts as lines for people.
void writeBoardText(std::ostream& out, const hardware::BoardFacts& facts);

} // namespace qv::cli

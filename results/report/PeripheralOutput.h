#pragma once

#include "hardware/AppsCollector.h"
#include "hardware/NetworkCollector.h"
#include "hardware/VideoCollector.h"
#include "hardware/summary/SystemSummary.h"
#include "results/JsonWriter.h"

#include <iosfwd>

// "info video", "info network", "info apps" and "info summary": JSON (keys in docs/hardware-info.md) and
// lines for people.
namespace qv::cli {

results::JsonObject videoJson(const hardware::VideoFacts& facts);
void writeVideoText(std::ostream& out, const hardware::VideoFacts& facts);

results::JsonObject networkInfoJson(const hardware::NetworkFacts& facts);
void writeNetworkInfoText(std::ostream& out, const hardware::NetworkFacts& facts);

// `withLists` false gives the counts and sizes only (the report's short form).
results::JsonObject appsJson(const hardware::ApplicationsFacts& facts, bool withLists = true);
void writeAppsText(std::ostream& out, const hardware::ApplicationsFacts& facts, bool withLists = true);

results::JsonObject summaryJson(const hardware::SystemSummary& summary);
void writeSummaryText(std::ostream& out, const hardware::SystemSummary& summary);

} // namespace qv::cli

#pragma once

#include "bench/disk/DiskBenchmark.h"
#include "results/SavedResult.h"

#include <functional>

namespace qv::cli {

// One run of the disk benchmark as the tool records it: its figures in output order (each test's read
// and write rate, operations and latencies, then the disk index) and how it was set up (folder, drive,
// method, direct or cached).
struct DiskSession {
    results::Figures figures;
    results::SetupFacts setup;
};
using DiskRunner = std::function<DiskSession(const bench::disk::DiskSettings&)>;

DiskSession diskSession(const bench::disk::DiskSettings& settings, const bench::disk::DiskResult& result);

// Runs the benchmark in the settings' folder.
DiskSession runDiskSession(const bench::disk::DiskSettings& settings);

} // namespace qv::cli

#pragma once

#include "bench/disk/DiskBenchmark.h"

#include <array>
#include <string_view>
#include <vector>

namespace qv::bench::disk {

// The eight MB/s figures of a run, in the order of the tests, read before write:
// sequential queue 8, sequential queue 1, random queue 32, random queue 1.
using DiskRates = std::array<double, 8>;

// Typical figures of a class of drives, from interface limits and makers' datasheets (see
// docs/disk-benchmark.md); never measured here.
struct DiskReference {
    std::string_view label;
    DiskRates rates;
};
const std::vector<DiskReference>& diskReferences();

// The row every index is relative to.
inline constexpr std::string_view kIndexReference = "SATA SSD";

// The geometric mean of the eight rates relative to the SATA SSD row's, times 1,000; 0 when a rate is
// missing or zero.
double diskIndex(const DiskRates& rates);

// The eight rates of a run; 0 for a test that did not run.
DiskRates diskRates(const DiskResult& result);

} // namespace qv::bench::disk

#pragma once

#include "tools/cli/Cli.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::cli {

// One figure of a benchmark run, named as the JSON output names it.
struct BenchFigure {
    std::string name;
    double value = 0;
};
using BenchFigures = std::vector<BenchFigure>;

// Runs one benchmark once and returns its figures in output order.
using BenchRunner = std::function<BenchFigures()>;

struct BenchRunners {
    BenchRunner cpu;
    BenchRunner mem;
};

// The real benchmarks at the program's scales.
BenchRunners kernelBenchRunners();

// "bench cpu|mem [--repeat N] [--json]": runs a benchmark N times and prints each run's rates and
// indices, then (with --repeat) the median of every figure over the runs.
Subcommand benchCommand(BenchRunners runners = kernelBenchRunners());

} // namespace qv::cli

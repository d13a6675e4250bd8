#pragma once

#include "results/SavedResult.h"
#include "results/report/DiskSession.h"
#include "results/report/FigureText.h"
#include "tools/cli/Cli.h"
#include "tools/cli/DisplayBenchSession.h"
#include "tools/cli/NetSession.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::cli {

using BenchFigure = results::Figure;
using BenchFigures = results::Figures;

// Runs one benchmark once and returns its figures in output order.
using BenchRunner = std::function<BenchFigures()>;

// What a benchmark session measures with: the benchmarks, the recorder of the run conditions and the
// description of this machine. Tests replace each.
struct BenchRunners {
    BenchRunner cpu;
    BenchRunner mem;
    std::function<results::ConditionsRecorder()> conditions = [] { return results::ConditionsRecorder(); };
    std::function<results::MachineIdentity()> machine;
    DiskRunner disk;
    DisplayRunner display;
    NetRunner net;
    InetRunner inet;
};

// How the benchmarks that take settings are set up.
struct SessionSettings {
    bench::disk::DiskSettings disk;
    bench::display::DisplaySettings display;
    bench::net::NetSettings net;
    bench::inet::InetSettings inet;
};

// The real benchmarks at the program's scales, the real conditions and this machine.
BenchRunners kernelBenchRunners();

// Runs a benchmark `repeat` times, recording the conditions, and returns the whole session as it is
// saved: runs, medians, warnings (the conditions' and the spread of the indices), and for the disk
// benchmark, run with `disk`, and the display benchmarks, run with `display`, their setup. `afterRun` sees
// each run as soon as it ends.
results::SavedResult measureBenchmark(const BenchRunners& runners, results::Benchmark benchmark, int repeat,
                                      const std::function<void(const results::BenchRun&)>& afterRun = {},
                                      const bench::disk::DiskSettings& disk = {},
                                      const bench::display::DisplaySettings& display = {});

// The same for any benchmark, the network and Internet ones with their settings.
results::SavedResult measureBenchmark(const BenchRunners& runners, results::Benchmark benchmark, int repeat,
                                      const std::function<void(const results::BenchRun&)>& afterRun,
                                      const SessionSettings& settings);

// "bench cpu|mem|disk|2d|3d [--repeat N] [--json] [--save FILE [--label TEXT] [--force]] [--compare FILE]...
// [--family NAME|all]" (disk also [--path DIR] [--size MiB] [--seconds S], 2d and 3d [--seconds S]),
// "bench net HOST [--port N] [--streams N] [--seconds S]", "bench inet URL [--seconds S]" and "bench
// --compare FILE..." and "bench all [--json] [--save FILE]" (every benchmark that can run here, the combined
// index and what limits this machine): runs a benchmark and prints each run's rates and indices, then (with
// --repeat) the median of every figure; saves the session; compares saved sessions with the reference
// machines or drives and this run.
Subcommand benchCommand(BenchRunners runners = kernelBenchRunners());

} // namespace qv::cli

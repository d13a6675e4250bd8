#include "tools/cli/BenchCommand.h"

#include "bench/BenchmarkRuns.h"
#include "tools/cli/ArgParser.h"
#include "results/JsonWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace qv::cli {

using results::JsonObject;
using results::JsonValue;
using results::writeJsonLine;

namespace {

constexpr std::string_view kSummary = "Run the CPU or memory benchmark and print its rates and indices";
constexpr std::int64_t kMaxRepeat = 1'000'000;

ArgParser benchArguments()
{
    ArgParser parser;
    parser.integerOption("--repeat", "N", 1, kMaxRepeat,
                         "run N times, then print the median of every figure over the runs");
    parser.flag("--json",
                "one JSON object per line: {\"Run\":1,...} per run, {\"Summary\":\"median\",...} last");
    parser.positionals("cpu|mem", 1, 1);
    return parser;
}

BenchFigures cpuFigures()
{
    const bench::CpuBenchmarkFigures figures = bench::runCpuBenchmark();
    return {{"DhrystoneRate", figures.dhrystoneRate},
            {"WhetstoneRate", figures.whetstoneRate},
            {"LivermoreMflops", figures.livermoreMflops},
            {"AluIndex", double(figures.aluIndex)},
            {"FpuIndex", double(figures.fpuIndex)},
            {"GeneralIndex", double(figures.generalIndex)},
            {"ElapsedMs", figures.elapsedMs}};
}

BenchFigures memFigures()
{
    const bench::MemoryBenchmarkFigures figures = bench::runMemoryBenchmark();
    return {{"ElapsedMs", figures.elapsedMs},
            {"Speed", figures.speed},
            {"MemoryIndex", double(figures.memoryIndex)}};
}

// Of an even count, the mean of the middle two.
double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    if (values.size() % 2 == 1)
        return values[middle];
    return (values[middle - 1] + values[middle]) / 2;
}

BenchFigures medianFigures(const std::vector<BenchFigures>& runs)
{
    BenchFigures result = runs.front();
    for (std::size_t i = 0; i < result.size(); ++i) {
        std::vector<double> values;
        values.reserve(runs.size());
        for (const BenchFigures& run : runs)
            values.push_back(run.at(i).value);
        result[i].value = median(std::move(values));
    }
    return result;
}

// Whole numbers (the indices, and any figure that happens to be whole) are written as integers.
bool isWhole(double value)
{
    return value == std::trunc(value) && std::fabs(value) < 1e15;
}

JsonValue jsonNumber(double value)
{
    if (isWhole(value))
        return static_cast<std::int64_t>(value);
    return value;
}

std::string plainNumber(double value)
{
    std::ostringstream text;
    if (isWhole(value))
        text << static_cast<std::int64_t>(value);
    else
        text << std::fixed << std::setprecision(2) << value;
    return text.str();
}

void writeFigures(std::ostream& out, bool json, const JsonObject& head, std::string_view label,
                  const BenchFigures& figures)
{
    if (json) {
        JsonObject object = head;
        for (const BenchFigure& figure : figures)
            object.add(figure.name, jsonNumber(figure.value));
        writeJsonLine(out, object);
        return;
    }
    out << label << ':';
    for (std::size_t i = 0; i < figures.size(); ++i)
        out << (i == 0 ? " " : ", ") << figures[i].name << ' ' << plainNumber(figures[i].value);
    out << '\n';
}

int runBench(const BenchRunners& runners, std::span<const std::string> args, std::ostream& out)
{
    const ParsedArgs parsed = benchArguments().parse(args);
    const std::string& target = parsed.positionals().front();
    const BenchRunner* runner = target == "cpu" ? &runners.cpu : target == "mem" ? &runners.mem : nullptr;
    if (runner == nullptr)
        throw UsageError("unknown benchmark '" + target + "' (cpu or mem)");
    const bool json = parsed.has("--json");
    const auto repeat = parsed.integer("--repeat");

    std::vector<BenchFigures> runs;
    for (std::int64_t run = 1; run <= repeat.value_or(1); ++run) {
        runs.push_back((*runner)());
        writeFigures(out, json, JsonObject().add("Run", run), "Run " + std::to_string(run), runs.back());
        out.flush();
    }
    if (repeat.has_value())
        writeFigures(out, json, JsonObject().add("Summary", "median"), "Median", medianFigures(runs));
    return 0;
}

} // namespace

BenchRunners kernelBenchRunners()
{
    return {cpuFigures, memFigures};
}

Subcommand benchCommand(BenchRunners runners)
{
    return {"bench", std::string(kSummary), benchArguments().usage("bench", kSummary),
            [runners = std::move(runners)](std::span<const std::string> args, std::ostream& out,
                                           std::ostream& /*err*/) { return runBench(runners, args, out); }};
}

} // namespace qv::cli

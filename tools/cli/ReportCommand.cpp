#include "tools/cli/ReportCommand.h"

#include "platform/FileAccess.h"
#include "results/SavedResult.h"
#include "results/report/ReportBuilder.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/DisplaySession.h"
#include "tools/cli/MachineTreeOption.h"

#include <ostream>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary =
    "Describe this machine in one report: processor, system, network, memory, drives, board, benchmarks";

ArgParser reportArguments()
{
    ArgParser parser;
    parser.option("--format", "json|html|text", "the report's form (default text)");
    parser.option("--output", "FILE",
                  "write the report to FILE instead of printing it: a file is replaced in one step keeping "
                  "its mode and owner, a device or pipe is written into, \"-\" is standard output");
    parser.option(
        "--bench", "cpu|mem|disk|all",
        "run the benchmark(s) once and add the sessions (all: cpu and mem; the disk writes a file)");
    parser.flag("--all", "list every installed package in the text and HTML forms (JSON always does)");
    parser.flag("--no-clock", "skip the 2-second clock measurement of the processor section");
    parser.option("--machine-tree", "DIR",
                  "read the memory, drives and board sections from the machine recorded in DIR");
    return parser;
}

std::vector<results::Benchmark> benchmarksAsked(const std::optional<std::string>& asked)
{
    if (!asked)
        return {};
    if (*asked == "all")
        return {results::Benchmark::Cpu, results::Benchmark::Mem};
    if (const auto benchmark = results::benchmarkFromName(*asked))
        return {*benchmark};
    throw UsageError("unknown benchmark '" + *asked + "' (cpu, mem, disk or all)");
}

using Writer = std::string (*)(const MachineReport&);

Writer writerFor(const std::optional<std::string>& format)
{
    if (!format || *format == "text")
        return reportPlainText;
    if (*format == "json")
        return reportJsonText;
    if (*format == "html")
        return reportHtml;
    throw UsageError("unknown format '" + *format + "' (json, html or text)");
}

int runReport(const BenchRunners& runners, std::span<const std::string> args, std::ostream& out,
              std::ostream& err)
{
    const ParsedArgs parsed = reportArguments().parse(args);
    const Writer writer = writerFor(parsed.text("--format"));
    const std::vector<results::Benchmark> benchmarks = benchmarksAsked(parsed.text("--bench"));
    const auto output = parsed.text("--output");
    try {
        // A target that cannot be written is said before anything is measured.
        if (output)
            platform::checkWritableTarget(*output, platform::Existing::Replace, true);
    } catch (const platform::FileAccessError& error) {
        err << "quorvex-cli report: " << error.what() << '\n';
        return 1;
    }

    MachineReport report = [&] {
        const auto application = applicationForTheScreen();
        const auto replay = replayedTree(parsed.text("--machine-tree"), err);
        return buildMachineReport(versionText(), !parsed.has("--no-clock"));
    }();
    report.allApplications = parsed.has("--all");
    for (const results::Benchmark benchmark : benchmarks) {
        addBenchmark(report, measureBenchmark(runners, benchmark, 1));
        for (const std::string& warning : report.benchmarks.back().warnings)
            err << "quorvex-cli report: warning: " << benchmarkName(benchmark) << ": " << warning << '\n';
    }

    const std::string text = writer(report);
    if (!output) {
        out << text;
        return 0;
    }
    try {
        platform::writeFileTarget(*output, text, platform::Existing::Replace, &out);
    } catch (const platform::FileAccessError& error) {
        err << "quorvex-cli report: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

Subcommand reportCommand(BenchRunners runners)
{
    return {"report", std::string(kSummary), reportArguments().usage("report", kSummary),
            [runners = std::move(runners)](std::span<const std::string> args, std::ostream& out,
                                           std::ostream& err) { return runReport(runners, args, out, err); }};
}

} // namespace qv::cli

#include "tools/cli/ReportCommand.h"

#include "net/WSocket.h"
#include "platform/FileAccess.h"
#include "platform/IcmpEcho.h"
#include "platform/NameResolver.h"
#include "results/ResultFiles.h"
#include "results/SavedResult.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/CpuCommand.h"
#include "tools/cli/MachineReport.h"
#include "tools/cli/SysCommand.h"
#include "tools/cli/ThisMachine.h"

#include <QDateTime>

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
    parser.option("--bench", "cpu|mem|all", "run the benchmark(s) once and add the sessions");
    parser.flag("--all", "list every installed package in the text and HTML forms (JSON always does)");
    parser.flag("--no-clock", "skip the 2-second clock measurement of the processor section");
    parser.option("--machine-tree", "DIR",
                  "read the memory, drives and board sections from the machine recorded in DIR");
    return parser;
}

std::vector<std::string> standardTexts(const QStringList& texts)
{
    std::vector<std::string> converted;
    for (const QString& text : texts)
        converted.push_back(text.toStdString());
    return converted;
}

// The network as it stands, found without sending anything: no lookup, echo or browse.
NetworkFacts networkFacts()
{
    const std::unique_ptr<platform::IcmpEcho> echo = platform::openIcmpEcho();
    return {net::LocalHostName().toStdString(), standardTexts(net::LocalIPList()),
            echo ? std::optional(platform::echoMechanismName(echo->mechanism()).toStdString()) : std::nullopt,
            standardTexts(platform::configuredNameServers())};
}

std::vector<results::Benchmark> benchmarksAsked(const std::optional<std::string>& asked)
{
    if (!asked)
        return {};
    if (*asked == "all")
        return {results::Benchmark::Cpu, results::Benchmark::Mem};
    if (const auto benchmark = results::benchmarkFromName(*asked))
        return {*benchmark};
    throw UsageError("unknown benchmark '" + *asked + "' (cpu, mem or all)");
}

// The product identifier is the system's machine identifier, which must not leave the machine: the
// report carries its key in its place, as saved results do.
void hideMachineIdentifier(Report& report)
{
    const std::string id = machineIdentifier();
    if (id.empty())
        return;
    const QString identifier = QString::fromStdString(id);
    const QString key = QString::fromStdString(results::machineKeyOf(id));
    const auto hide = [&](Value& value) {
        if (QString* text = std::get_if<QString>(&value))
            text->replace(identifier, key);
    };
    for (Entry& entry : report) {
        hide(entry.value);
        for (Field& field : entry.members)
            hide(field.value);
    }
}

// The hardware sections, serial numbers replaced by their keys as the machine identifier is.
MachineFacts hardwareFacts(const std::optional<std::string>& recorded, std::ostream& err)
{
    const auto replay = replayedTree(recorded, err);
    MachineFacts facts = collectMachineFacts();
    const auto keyOf = [](const std::string& serial) { return results::machineKeyOf(serial); };
    replaceSerialNumbers(facts, keyOf);
    replacePersonalFacts(facts, keyOf);
    return facts;
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

    MachineReport report;
    report.program = versionText();
    report.created = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    report.processor = processorReport(!parsed.has("--no-clock"));
    report.system = systemReport();
    hideMachineIdentifier(report.system);
    report.network = networkFacts();
    report.hardware = hardwareFacts(parsed.text("--machine-tree"), err);
    report.allApplications = parsed.has("--all");
    for (const results::Benchmark benchmark : benchmarks) {
        report.benchmarks.push_back(measureBenchmark(runners, benchmark, 1));
        for (const std::string& warning : report.benchmarks.back().warnings) {
            report.warnings.push_back(std::string(benchmarkName(benchmark)) + ": " + warning);
            err << "quorvex-cli report: warning: " << report.warnings.back() << '\n';
        }
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

#include "tools/cli/BenchCommand.h"

#include "bench/BenchmarkRuns.h"
#include "bench/display/DisplayTests.h"
#include "results/JsonWriter.h"
#include "results/ResultFiles.h"
#include "results/report/BenchSession.h"
#include "results/report/ThisMachine.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/Cli.h"
#include "tools/cli/Comparison.h"
#include "tools/cli/DisplaySession.h"
#include "tools/cli/OverallBench.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <ostream>
#include <sstream>

namespace qv::cli {

using results::Benchmark;
using results::JsonObject;
using results::writeJsonLine;

namespace {

constexpr std::string_view kSummary = "Run the CPU, memory, disk, display (2D, 3D), network or Internet "
                                      "benchmark, or all that can run here, save and compare its results";
constexpr std::int64_t kMaxRepeat = 1'000'000;
constexpr std::size_t kMaxCompared = 20;
constexpr std::int64_t kMaxDiskSeconds = 3600;
constexpr std::int64_t kMaxNetSeconds = bench::net::kMaxPhaseMs / 1000;

ArgParser benchArguments()
{
    ArgParser parser;
    parser.integerOption("--repeat", "N", 1, kMaxRepeat,
                         "run N times, then print the median of every figure over the runs");
    parser.flag("--json", "one JSON object per line: {\"Run\":1,...,\"Conditions\":{...}} per run, "
                          "{\"Summary\":\"median\",...,\"Reliable\":true,\"Warnings\":[]} last");
    parser.option("--save", "FILE",
                  "save the runs, their conditions and this machine in FILE (JSON; \"-\": standard output)");
    parser.option("--label", "TEXT", "the saved result's label (default: host name and date)");
    parser.flag("--force", "let --save replace an existing FILE");
    parser.repeatedOption("--compare", "FILE",
                          "compare with saved results (up to 20; more FILEs may follow it); without cpu|mem, "
                          "compare only");
    parser.option("--family", "NAME|all", "the reference machines to compare with (default: as the chart)");
    parser.option("--path", "DIR", "disk: the folder of the test file (default: the program's data folder)");
    parser.integerOption("--size", "MiB", bench::disk::kMinFileSizeMiB, bench::disk::kMaxFileSizeMiB,
                         "disk: the size of the test file (default: 1024)");
    parser.integerOption("--seconds", "S", 1, kMaxDiskSeconds,
                         "disk: the measured time of each test, read and write (default: 5); 2d, 3d: of each "
                         "test (default: 3 for 2d, 6 for 3d); net: of each direction, inet: of the download "
                         "(default: 10, at most 60)");
    parser.integerOption("--port", "N", 1, 65535, "net: the port of quorvex-cli serve (default: 52003)");
    parser.integerOption("--streams", "N", 1, bench::net::kMaxStreams,
                         "net: parallel TCP streams, 1 or 4 as a rule (default: 1)");
    // Any number here, so that too many files get the message about --compare, not about arguments.
    parser.positionals("cpu|mem|disk|2d|3d|all|net HOST|inet URL|FILE...", 0,
                       std::numeric_limits<std::size_t>::max());
    return parser;
}

// The compared files (saved results, or reports with their sessions), read before anything is measured
// so that a wrong name fails at once.
std::vector<ComparedResult> readCompared(const std::vector<std::string>& paths,
                                         std::optional<Benchmark> benchmark)
{
    std::vector<ComparedResult> compared;
    for (const std::string& path : paths) {
        const std::vector<results::SavedResult> held = results::readSavedResults(path);
        if (held.empty())
            throw results::FileError("'" + path + "' holds no benchmark result");
        const Benchmark wanted = benchmark.value_or(held.front().benchmark);
        if (wanted == Benchmark::Net || wanted == Benchmark::Inet)
            throw results::FileError("'" + path + "' holds a " + std::string(benchmarkName(wanted)) +
                                     " result; --compare takes the cpu, mem and disk benchmarks");
        benchmark = wanted;
        const std::size_t before = compared.size();
        for (const results::SavedResult& result : held) {
            if (result.benchmark == wanted)
                compared.push_back({path, result});
        }
        if (compared.size() == before)
            throw results::FileError("'" + path + "' holds a " +
                                     std::string(benchmarkName(held.front().benchmark)) + " result, not " +
                                     std::string(benchmarkName(wanted)));
    }
    return compared;
}

struct BenchOptions {
    std::optional<Benchmark> benchmark;
    std::optional<std::int64_t> repeat;
    bool json = false;
    std::optional<std::string> save;
    std::optional<std::string> label;
    bool force = false;
    std::vector<std::string> compare;
    std::optional<std::string> family;
    SessionSettings settings;
};

// "bench net HOST" and "bench inet URL": the positional after the benchmark, and the options of both.
void readNetOptions(const ParsedArgs& parsed, BenchOptions& options, std::span<const std::string>& rest)
{
    const bool net = options.benchmark == Benchmark::Net;
    const bool inet = options.benchmark == Benchmark::Inet;
    const auto seconds = parsed.integer("--seconds");
    if (!net && (parsed.has("--port") || parsed.has("--streams")))
        throw UsageError("--port and --streams go with net");
    if (!net && !inet)
        return;
    if (rest.empty())
        throw UsageError(net ? "bench net needs the HOST that runs quorvex-cli serve"
                             : "bench inet needs the http:// or https:// URL to download from");
    if (seconds && *seconds > kMaxNetSeconds)
        throw UsageError("--seconds is at most " + std::to_string(kMaxNetSeconds) + " for net and inet");
    if (!options.compare.empty())
        throw UsageError("--compare takes the cpu, mem and disk benchmarks");
    const std::chrono::milliseconds duration = std::chrono::seconds(seconds.value_or(10));
    if (net) {
        options.settings.net.host = rest.front();
        options.settings.net.port = int(parsed.integer("--port").value_or(bench::net::kDefaultPort));
        options.settings.net.streams = int(parsed.integer("--streams").value_or(1));
        options.settings.net.duration = duration;
    } else {
        options.settings.inet.url = QString::fromStdString(rest.front());
        options.settings.inet.duration = duration;
    }
    rest = rest.subspan(1);
}

BenchOptions benchOptions(std::span<const std::string> args)
{
    const ParsedArgs parsed = benchArguments().parse(args);
    BenchOptions options{std::nullopt,
                         parsed.integer("--repeat"),
                         parsed.has("--json"),
                         parsed.text("--save"),
                         parsed.text("--label"),
                         parsed.has("--force"),
                         parsed.texts("--compare"),
                         parsed.text("--family"),
                         {}};
    const auto path = parsed.text("--path");
    const auto size = parsed.integer("--size");
    const auto seconds = parsed.integer("--seconds");
    options.settings.disk.folder = path ? *path : std::string();
    if (size)
        options.settings.disk.fileSize = *size * bench::disk::kMiB;
    if (seconds) {
        options.settings.disk.duration = std::chrono::seconds(*seconds);
        options.settings.display.duration = std::chrono::seconds(*seconds);
    }
    // "bench cpu", and after --compare the files that follow it: "bench --compare a.json b.json".
    std::span<const std::string> rest = parsed.positionals();
    if (!rest.empty())
        options.benchmark = results::benchmarkFromName(rest.front());
    if (options.benchmark)
        rest = rest.subspan(1);
    readNetOptions(parsed, options, rest);
    if (!rest.empty() && options.compare.empty())
        throw UsageError("unknown benchmark '" + rest.front() + "' (cpu, mem, disk, 2d or 3d)");
    options.compare.insert(options.compare.end(), rest.begin(), rest.end());
    if (!options.benchmark && options.compare.empty())
        throw UsageError("missing cpu|mem|disk|2d|3d (or --compare FILE to compare saved results only)");
    if (!options.benchmark && (options.repeat || options.json || options.save))
        throw UsageError(
            "--repeat, --json and --save need a benchmark to run (cpu, mem, disk, 2d, 3d, net or inet)");
    if (options.benchmark != Benchmark::Disk && (path || size))
        throw UsageError("--path, --size and --seconds go with disk");
    const bool timed = options.benchmark == Benchmark::Disk || options.benchmark == Benchmark::Display2D ||
                       options.benchmark == Benchmark::Display3D || options.benchmark == Benchmark::Net ||
                       options.benchmark == Benchmark::Inet;
    if (!timed && seconds)
        throw UsageError("--seconds goes with disk, 2d, 3d, net and inet");
    if (!seconds && (options.benchmark == Benchmark::Display2D || options.benchmark == Benchmark::Display3D))
        options.settings.display.duration = bench::display::defaultDisplayDuration(
            options.benchmark == Benchmark::Display2D ? bench::display::DisplayKind::TwoD
                                                      : bench::display::DisplayKind::ThreeD);
    if (options.benchmark == Benchmark::Overall && options.repeat)
        throw UsageError("--repeat does not go with all: it runs each benchmark once");
    if (!options.save && (options.label || options.force))
        throw UsageError("--label and --force go with --save FILE");
    if (options.compare.size() > kMaxCompared)
        throw UsageError("at most " + std::to_string(kMaxCompared) + " --compare files");
    if (options.json && !options.compare.empty())
        throw UsageError("--compare prints a table; leave out --json");
    if (options.family && options.compare.empty())
        throw UsageError("--family goes with --compare");
    return options;
}

} // namespace

BenchRunners kernelBenchRunners()
{
    return {[] { return cpuFigures(bench::runCpuBenchmark()); },
            [] { return memoryFigures(bench::runMemoryBenchmark()); },
            [] { return results::ConditionsRecorder(); },
            thisMachine,
            runDiskSession,
            runDisplayBenchSession,
            runNetSession,
            runInetSession};
}

results::SavedResult measureBenchmark(const BenchRunners& runners, Benchmark benchmark, int repeat,
                                      const std::function<void(const results::BenchRun&)>& afterRun,
                                      const bench::disk::DiskSettings& disk,
                                      const bench::display::DisplaySettings& display)
{
    SessionSettings settings;
    settings.disk = disk;
    settings.display = display;
    return measureBenchmark(runners, benchmark, repeat, afterRun, settings);
}

results::SavedResult measureBenchmark(const BenchRunners& runners, Benchmark benchmark, int repeat,
                                      const std::function<void(const results::BenchRun&)>& afterRun,
                                      const SessionSettings& settings)
{
    results::SavedResult session;
    BenchRunner runner = benchmark == Benchmark::Cpu ? runners.cpu : runners.mem;
    // A benchmark with settings: its setup goes with the session.
    const auto withSetup = [&session](std::function<DiskSession()> run) -> BenchRunner {
        return [&session, run = std::move(run)] {
            DiskSession done = run();
            session.setup = std::move(done.setup);
            return std::move(done.figures);
        };
    };
    if (benchmark == Benchmark::Disk) {
        bench::disk::DiskSettings disk = settings.disk;
        if (disk.folder.empty())
            disk.folder = bench::disk::defaultDiskFolder();
        runner = withSetup([&runners, disk] { return runners.disk(disk); });
    } else if (benchmark == Benchmark::Net) {
        runner = withSetup([&runners, &settings] { return runners.net(settings.net); });
    } else if (benchmark == Benchmark::Inet) {
        runner = withSetup([&runners, &settings] { return runners.inet(settings.inet); });
    }
    if (benchmark == Benchmark::Display2D || benchmark == Benchmark::Display3D) {
        const auto kind = benchmark == Benchmark::Display2D ? bench::display::DisplayKind::TwoD
                                                            : bench::display::DisplayKind::ThreeD;
        runner = [&runners, &session, kind, &settings] {
            DisplayBenchSession run = runners.display(kind, settings.display);
            session.setup = std::move(run.setup);
            return std::move(run.figures);
        };
    }
    session.program = versionText();
    session.benchmark = benchmark;
    session.kernelRevision = bench::kKernelRevision;
    session.machine = runners.machine ? runners.machine() : results::MachineIdentity();
    results::ConditionsRecorder recorder = runners.conditions();
    recorder.begin();
    session.created = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    for (int run = 1; run <= repeat; ++run) {
        BenchFigures figures = runner();
        session.runs.push_back({std::move(figures), recorder.afterRun()});
        if (afterRun)
            afterRun(session.runs.back());
    }
    completeSession(session);
    return session;
}

namespace {

// The runner, also copying each run's setup into `setup`.
template<typename Settings>
std::function<DiskSession(const Settings&)>
keepingSetup(const std::function<DiskSession(const Settings&)>& runner, results::SetupFacts& setup)
{
    return [runner, &setup](const Settings& settings) {
        DiskSession session = runner(settings);
        setup = session.setup;
        return session;
    };
}

// "bench all": every benchmark that can run here, then the combined index and the findings.
results::SavedResult runOverall(const BenchRunners& runners, bool json, std::ostream& out, std::ostream& err)
{
    // One application for both display benchmarks, where a display answers: a display server that resets
    // when its last client leaves (Xvfb) may refuse the next benchmark's connection.
    const auto application = applicationForTheScreen();
    const bench::overall::OverallResult result =
        measureOverall(runners, overallSettings(), [&](Benchmark benchmark) {
            if (!json)
                err << "quorvex-cli bench: " << bench::overall::benchmarkTitle(benchmark) << "...\n";
        });
    results::SavedResult session = bench::overall::overallSession(result, versionText());
    writeOverall(out, result, session,
                 bench::overall::evaluateFindings(bench::overall::findingsInputHere(result)), json);
    return session;
}

int runBench(const BenchRunners& runners, std::span<const std::string> args, std::ostream& out,
             std::ostream& err)
{
    const BenchOptions options = benchOptions(args);
    int status = exit_status::kSuccess;
    std::vector<ComparedResult> compared;
    try {
        compared = readCompared(options.compare, options.benchmark);
    } catch (const results::FileError& error) {
        throw InputError(error.what());
    }
    // Refused before measuring; the save itself refuses again should the file appear meanwhile.
    const results::Existing existing = options.force ? results::Existing::Replace : results::Existing::Keep;
    try {
        if (options.save)
            platform::checkWritableTarget(*options.save, existing, true);
    } catch (const results::FileExistsError& error) {
        refuseToReplace(error);
    }

    // Without a display the display benchmarks say so at once, before the run conditions are recorded.
    if (options.benchmark == Benchmark::Display2D || options.benchmark == Benchmark::Display3D)
        requireDisplay(options.benchmark == Benchmark::Display2D ? bench::display::DisplayKind::TwoD
                                                                 : bench::display::DisplayKind::ThreeD);
    if (options.benchmark) {
        const int repeat = int(options.repeat.value_or(1));
        int run = 0;
        // Each disk run's setup, for its line.
        results::SetupFacts setup;
        BenchRunners measuring = runners;
        measuring.disk = keepingSetup(runners.disk, setup);
        measuring.display = [&](bench::display::DisplayKind kind,
                                const bench::display::DisplaySettings& settings) {
            DisplayBenchSession session = runners.display(kind, settings);
            setup = session.setup;
            return session;
        };
        measuring.net = keepingSetup(runners.net, setup);
        measuring.inet = keepingSetup(runners.inet, setup);
        results::SavedResult session =
            options.benchmark == Benchmark::Overall
                ? runOverall(runners, options.json, out, err)
                : measureBenchmark(
                      measuring, *options.benchmark, repeat,
                      [&](const results::BenchRun& done) {
                          ++run;
                          if (options.json) {
                              JsonObject line =
                                  results::addFigures(JsonObject().add("Run", run), done.figures)
                                      .add("Conditions", results::conditionsJson(done.conditions));
                              if (!setup.empty())
                                  line.add("Setup", results::setupJson(setup));
                              writeJsonLine(out, line);
                          } else {
                              out << plainFiguresLine("Run " + std::to_string(run), done.figures);
                              for (const auto& [key, value] : setup)
                                  out << "  " << key << ": " << value << '\n';
                          }
                          out.flush();
                      },
                      options.settings);
        if (options.label)
            session.label = *options.label;
        if (options.repeat && options.json) {
            writeJsonLine(out, results::addFigures(JsonObject().add("Summary", "median"), session.summary)
                                   .add("Reliable", session.reliable)
                                   .add("Warnings", results::textArray(session.warnings)));
        } else if (options.repeat) {
            out << plainFiguresLine("Median", session.summary);
        }
        for (const std::string& warning : session.warnings)
            err << "quorvex-cli bench: warning: " << warning << '\n';
        // A network run cut short: its figures are printed and saved as partial, and the run fails.
        if (const auto error = session.setup.find("Error"); error != session.setup.end()) {
            err << "quorvex-cli bench: " << error->second << "; the figures are partial\n";
            status = exit_status::kFailure;
        }
        compared.push_back({"This run", session});
        if (options.save) {
            try {
                results::writeFileAtomically(
                    *options.save, results::indentedJson(results::savedResultJson(session)), existing, &out);
            } catch (const results::FileExistsError& error) {
                refuseToReplace(error);
            }
            if (!options.json && *options.save != "-")
                out << "Saved in " << *options.save << '\n';
        }
    }
    if (!options.compare.empty()) {
        const std::string thisKey = options.benchmark ? compared.back().result.machine.machineKey
                                    : runners.machine ? runners.machine().machineKey
                                                      : std::string();
        out << comparisonTable(compared.front().result.benchmark, compared, options.family, thisKey);
    }
    return status;
}

} // namespace

Subcommand benchCommand(BenchRunners runners)
{
    return {"bench", std::string(kSummary), benchArguments().usage("bench", kSummary),
            [runners = std::move(runners)](std::span<const std::string> args, std::ostream& out,
                                           std::ostream& err) { return runBench(runners, args, out, err); }};
}

} // namespace qv::cli

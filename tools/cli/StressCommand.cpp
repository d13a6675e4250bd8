#include "tools/cli/StressCommand.h"

#include "results/JsonWriter.h"
#include "stress/FaultInjector.h"
#include "stress/KernelPasses.h"
#include "stress/MemoryTester.h"
#include "stress/StressMonitor.h"
#include "stress/StressTest.h"
#include "tools/cli/ArgParser.h"

#include <unistd.h>

#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <csignal>
#include <iostream>
#include <sstream>
#include <thread>

namespace qv::cli {

using results::JsonArray;
using results::JsonObject;
using stress::StressSnapshot;

namespace {

constexpr std::string_view kSummary =
    "Run the stability test: every processor and the memory under verified load";
constexpr std::int64_t kMaxWorkers = 1024;
constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
constexpr auto kPoll = std::chrono::milliseconds(50);
constexpr auto kSampleEvery = std::chrono::seconds(1);

// The self-check's two faults and how long it may look for them.
constexpr std::string_view kSelfCheckKernel = "Whetstone";
constexpr std::size_t kSelfCheckKernelWord = 3;
constexpr int kSelfCheckKernelBit = 17;
constexpr std::string_view kSelfCheckPattern = "Moving inversions";
constexpr std::size_t kSelfCheckMemoryWord = 12'345;
constexpr int kSelfCheckMemoryBit = 5;
constexpr std::uint64_t kSelfCheckMemoryBytes = 4 * kMiB;
constexpr auto kSelfCheckLimit = std::chrono::seconds(60);

std::atomic<int> g_signal{0};

extern "C" void rememberSignal(int number)
{
    g_signal.store(number);
}

// SIGINT and SIGTERM only set a flag while the test runs; the handlers before are restored after.
class ScopedStopSignals {
public:
    ScopedStopSignals()
    {
        g_signal = 0;
        struct sigaction action = {};
        action.sa_handler = rememberSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previousInt);
        sigaction(SIGTERM, &action, &m_previousTerm);
    }
    ~ScopedStopSignals()
    {
        sigaction(SIGINT, &m_previousInt, nullptr);
        sigaction(SIGTERM, &m_previousTerm, nullptr);
    }
    ScopedStopSignals(const ScopedStopSignals&) = delete;
    ScopedStopSignals& operator=(const ScopedStopSignals&) = delete;

private:
    struct sigaction m_previousInt = {};
    struct sigaction m_previousTerm = {};
};

ArgParser stressArguments()
{
    ArgParser parser;
    parser.option("--duration", "S",
                  "run for S seconds (fractions allowed, e.g. 0.5); 0 or none: until interrupted (Ctrl+C)");
    parser.integerOption("--cpu", "N", 0, kMaxWorkers,
                         "N processor workers (default: one per online processor)");
    parser.integerOption(
        "--memory", "MiB", 0, std::int64_t{1} << 30,
        "test MiB of memory (0: no memory test; default: a quarter of the available memory)");
    parser.integerOption("--memory-share", "P", 0, 50, "test P percent of the available memory (at most 50)");
    parser.flag("--self-check", "inject one fault in a kernel and one in the memory test; status 0 only when "
                                "both are found and reported");
    parser.flag("--json", "the summary as one JSON object");
    return parser;
}

std::chrono::milliseconds parseDuration(const std::string& text)
{
    double seconds = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(seconds) || seconds < 0 ||
        seconds > 1e7)
        throw UsageError("--duration takes seconds: a number from 0 up, such as 20 or 0.5");
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

stress::StressPlan planFrom(const ParsedArgs& parsed)
{
    if (parsed.has("--memory") && parsed.has("--memory-share"))
        throw UsageError("give --memory or --memory-share, not both");
    stress::StressPlan plan;
    if (const auto duration = parsed.text("--duration"))
        plan.duration = parseDuration(*duration);
    if (const auto cpu = parsed.integer("--cpu"))
        plan.processors = static_cast<int>(*cpu);
    if (const auto mebibytes = parsed.integer("--memory")) {
        plan.memory = *mebibytes > 0;
        plan.memoryBytes = static_cast<std::uint64_t>(*mebibytes) * kMiB;
    }
    if (const auto percent = parsed.integer("--memory-share")) {
        plan.memory = *percent > 0;
        plan.memoryShare = static_cast<double>(*percent) / 100;
    }
    return plan;
}

std::string hex(std::uint64_t value)
{
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

std::string progressLine(const StressSnapshot& snapshot, const stress::SensorReading& sensors)
{
    std::ostringstream line;
    line << stress::durationText(snapshot.elapsed) << ": passes";
    for (const auto& worker : snapshot.workers)
        line << ' ' << worker.passes;
    if (snapshot.memoryTested)
        line << ", memory " << (snapshot.memoryBytes / kMiB) << " MiB pass " << snapshot.memoryPasses;
    line << ", errors " << snapshot.errors;
    if (const auto* hottest = sensors.hottest())
        line << ", hottest " << std::lround(hottest->celsius) << " \u00b0C";
    if (const auto clock = sensors.meanClockMHz())
        line << ", clock " << std::lround(*clock) << " MHz";
    return line.str();
}

// Whether the self-check's faults came back as errors at the places they were put.
struct SelfCheckResult {
    bool kernelFound = false;
    bool memoryFound = false;
};

SelfCheckResult selfCheckResult(const StressSnapshot& snapshot)
{
    SelfCheckResult result;
    for (const auto& error : snapshot.firstErrors) {
        const bool oneBit = std::has_single_bit(error.expected ^ error.found);
        if (error.worker == 0 && error.where == kSelfCheckKernel &&
            error.address == kSelfCheckKernelWord * 8 && oneBit)
            result.kernelFound = true;
        if (error.worker < 0 && error.where == kSelfCheckPattern && oneBit)
            result.memoryFound = true;
    }
    return result;
}

JsonObject summaryJson(const StressSnapshot& snapshot, const stress::StressMonitor& monitor)
{
    JsonArray workers;
    for (const auto& worker : snapshot.workers)
        workers.add(
            JsonObject()
                .add("Processor", worker.processor >= 0 ? results::JsonValue(worker.processor) : nullptr)
                .add("Passes", worker.passes)
                .add("Errors", worker.errors));
    JsonArray errors;
    for (const auto& error : snapshot.firstErrors)
        errors.add(JsonObject()
                       .add("Worker", error.worker >= 0 ? results::JsonValue(error.worker) : nullptr)
                       .add("Where", error.where)
                       .add("Address", hex(error.address))
                       .add("Expected", hex(error.expected))
                       .add("Found", hex(error.found)));
    double hottest = -1000;
    for (const auto& sample : monitor.history())
        hottest = std::max(hottest, sample.hottestCelsius.value_or(hottest));
    JsonObject object;
    object.add("Verdict", stress::verdictLine(snapshot))
        .add("ElapsedMs", snapshot.elapsed.count())
        .add("Errors", snapshot.errors)
        .add("StopReason", snapshot.stopReason.empty() ? results::JsonValue(nullptr) : snapshot.stopReason)
        .add("Workers", workers);
    if (snapshot.memoryTested)
        object.add("Memory", JsonObject()
                                 .add("Bytes", snapshot.memoryBytes)
                                 .add("Passes", snapshot.memoryPasses)
                                 .add("Errors", snapshot.memoryErrors)
                                 .add("Notes", results::textArray(snapshot.memoryNotes)));
    else
        object.add("Memory", nullptr);
    object.add("HottestCelsius", monitor.withoutTemperatures() ? results::JsonValue(nullptr) : hottest)
        .add("Sensors",
             monitor.withoutTemperatures() ? results::JsonValue(stress::kNoTemperatureSensors) : nullptr)
        .add("ThrottleCount", results::orNull(monitor.lastReading().throttleCount))
        .add("FirstErrors", errors);
    return object;
}

void printSummary(std::ostream& out, const StressSnapshot& snapshot, const stress::StressMonitor& monitor)
{
    out << stress::verdictLine(snapshot) << '\n';
    for (std::size_t n = 0; n < snapshot.workers.size(); ++n) {
        const auto& worker = snapshot.workers[n];
        out << "Worker " << n;
        if (worker.processor >= 0)
            out << " (processor " << worker.processor << ')';
        out << ": " << worker.passes << " passes, " << worker.errors << " errors"
            << (worker.outOfMemory ? " (ended: out of memory)" : "") << '\n';
    }
    if (snapshot.memoryTested) {
        out << "Memory: " << (snapshot.memoryBytes / kMiB) << " MiB, " << snapshot.memoryPasses << " passes, "
            << snapshot.memoryErrors << " errors\n";
        for (const auto& note : snapshot.memoryNotes)
            out << "  " << note << '\n';
    }
    if (monitor.withoutTemperatures())
        out << stress::kNoTemperatureSensors << '\n';
    if (!snapshot.firstErrors.empty()) {
        out << "First errors:\n";
        for (const auto& error : snapshot.firstErrors)
            out << "  " << stress::describe(error) << '\n';
    }
}

// Runs the test to its end, a signal or (in the self-check) both faults found, sampling once a second.
StressSnapshot runToEnd(stress::StressTest& test, stress::StressMonitor& monitor, bool progress,
                        bool selfCheck, std::ostream& out)
{
    const ScopedStopSignals stopSignals;
    auto nextSample = std::chrono::steady_clock::now() + kSampleEvery;
    StressSnapshot snapshot = monitor.tick();
    while (snapshot.running) {
        std::this_thread::sleep_for(kPoll);
        if (const int number = g_signal.load()) {
            test.stop(number == SIGINT ? "Interrupted" : "Terminated");
            break;
        }
        if (selfCheck) {
            const SelfCheckResult found = selfCheckResult(test.snapshot());
            if (found.kernelFound && found.memoryFound) {
                test.stop();
                break;
            }
        }
        if (std::chrono::steady_clock::now() >= nextSample) {
            nextSample += kSampleEvery;
            snapshot = monitor.tick();
            if (progress && snapshot.running)
                out << progressLine(snapshot, monitor.lastReading()) << '\n' << std::flush;
        } else {
            snapshot = test.snapshot();
        }
    }
    test.wait();
    return test.snapshot();
}

int runStress(const StressEnvironment& environment, std::span<const std::string> args, std::ostream& out)
{
    const ParsedArgs parsed = stressArguments().parse(args);
    const bool json = parsed.has("--json");
    const bool selfCheck = parsed.has("--self-check");
    stress::StressPlan plan = planFrom(parsed);
    if (selfCheck) {
        if (parsed.has("--duration") || parsed.has("--memory") || parsed.has("--memory-share"))
            throw UsageError("--self-check chooses its own duration and memory; leave out the others");
        plan.duration = kSelfCheckLimit;
        plan.memory = true;
        plan.memoryBytes = kSelfCheckMemoryBytes;
        plan.processors = plan.processors.value_or(1) > 0 ? plan.processors : 1;
        plan.faults = std::make_shared<stress::OneShotFaults>(
            0, stress::OneShotFaults::Target{kSelfCheckKernel, kSelfCheckKernelWord, kSelfCheckKernelBit},
            stress::OneShotFaults::Target{kSelfCheckPattern, kSelfCheckMemoryWord, kSelfCheckMemoryBit});
    }

    stress::StressTest test;
    stress::StressMonitor monitor(test, environment.readSensors);
    test.start(plan);
    const bool progress = !json && environment.isTerminal(out);
    const StressSnapshot snapshot = runToEnd(test, monitor, progress, selfCheck, out);

    if (selfCheck) {
        const SelfCheckResult found = selfCheckResult(snapshot);
        const bool passed = found.kernelFound && found.memoryFound;
        if (json) {
            JsonObject object = summaryJson(snapshot, monitor);
            object.add("SelfCheck", JsonObject()
                                        .add("KernelFaultFound", found.kernelFound)
                                        .add("MemoryFaultFound", found.memoryFound)
                                        .add("Passed", passed));
            results::writeJsonLine(out, object);
        } else {
            printSummary(out, snapshot, monitor);
            out << "Injected fault in " << kSelfCheckKernel << ": "
                << (found.kernelFound ? "found" : "NOT found") << '\n'
                << "Injected fault in " << kSelfCheckPattern << ": "
                << (found.memoryFound ? "found" : "NOT found") << '\n'
                << (passed ? "Self-check passed: the checks find wrong results" : "Self-check FAILED")
                << '\n';
        }
        return passed ? exit_status::kSuccess : exit_status::kFailure;
    }
    if (json)
        results::writeJsonLine(out, summaryJson(snapshot, monitor));
    else
        printSummary(out, snapshot, monitor);
    return snapshot.errors == 0 ? exit_status::kSuccess : exit_status::kFailure;
}

} // namespace

StressEnvironment liveStressEnvironment()
{
    StressEnvironment environment;
    environment.isTerminal = [](const std::ostream& out) {
        return &out == &std::cout && isatty(STDOUT_FILENO) != 0;
    };
    environment.readSensors = [] { return stress::SensorReader().read(); };
    return environment;
}

Subcommand stressCommand(StressEnvironment environment)
{
    const std::string usage = stressArguments().usage(
        "stress", std::string(kSummary) + ". Each processor worker runs the benchmark kernels in a loop and "
                                          "checks every result; the memory tester writes and reads back "
                                          "walking ones and zeros, own addresses, moving inversions and "
                                          "random data. Status 0: no error; 1: errors; 2: usage.");
    return {
        "stress", std::string(kSummary), usage,
        [environment = std::move(environment)](std::span<const std::string> args, std::ostream& out,
                                               std::ostream&) { return runStress(environment, args, out); }};
}

} // namespace qv::cli

#include "tools/cli/BenchCommand.h"

#include "bench/MemoryKernel.h"
#include "bench/display/DisplayTests.h"
#include "hardware/tree/MachineTree.h"
#include "results/ResultFiles.h"
#include "tests/support/FakeTree.h"
#include "tests/support/Fifo.h"
#include "tools/cli/StandardCommands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using qv::cli::BenchFigures;

struct Result {
    int status;
    std::vector<std::string> lines;
    std::string err;
};

// Fake benchmarks whose figures change from run to run, so the medians can be checked.
class BenchCommand : public testing::Test {
protected:
    BenchCommand()
    {
        qv::cli::BenchRunners runners;
        runners.cpu = [this] {
            const double alu = aluIndices.at(cpuRuns++ % aluIndices.size());
            return BenchFigures{{"DhrystoneRate", alu * 10'000},
                                {"WhetstoneRate", 500'000.5},
                                {"LivermoreMflops", 70 + alu},
                                {"AluIndex", alu},
                                {"FpuIndex", 90},
                                {"GeneralIndex", alu - 1},
                                {"ElapsedMs", 1'000.25}};
        };
        runners.mem = [this] {
            ++memRuns;
            if (memoryFails)
                throw qv::bench::OutOfMemory();
            return BenchFigures{{"ElapsedMs", 1'000}, {"Speed", 614.4}, {"MemoryIndex", 731}};
        };
        runners.conditions = [this] {
            return qv::results::ConditionsRecorder(qv::platform::RunConditionsProbe(tree.path()),
                                                   std::chrono::milliseconds(0));
        };
        runners.machine = [this] { return machine; };
        runners.disk = [this](const qv::bench::disk::DiskSettings& settings) {
            diskSettings = settings;
            return qv::cli::diskSession(settings, diskResult());
        };
        runners.display = [this](qv::bench::display::DisplayKind kind,
                                 const qv::bench::display::DisplaySettings& settings) {
            displaySettings = settings;
            if (noOpenGl && kind == qv::bench::display::DisplayKind::ThreeD)
                throw std::runtime_error("No OpenGL context can be made on this display");
            return qv::cli::displayBenchSession(settings, displayResult(kind));
        };
        registry.add(qv::cli::benchCommand(runners));
        tree.write("proc/loadavg", "0.10 0.20 0.30 1/100 1\n").write("sys/devices/system/cpu/online", "0\n");
    }

    Result run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "bench");
        std::ostringstream out;
        std::ostringstream err;
        const int status = qv::cli::runCli(registry, args, out, err);
        Result result{status, {}, err.str()};
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            result.lines.push_back(line);
        return result;
    }

    static QJsonObject object(const std::string& line)
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
    }

    // A laptop running on its battery.
    void unplug()
    {
        tree.write("sys/class/power_supply/BAT0/type", "Battery\n")
            .write("sys/class/power_supply/BAT0/status", "Discharging\n");
    }

    std::string file(const std::string& name) const { return (files.path() / name).string(); }

    qv::test::FakeTree tree;  // the machine's proc and sys files
    qv::test::FakeTree files; // where results are saved
    qv::results::MachineIdentity machine{
        "0123456789abcdef", "bench-host", "GenuineIntel", "Test CPU", 0x6A3, 2, "6.1.0"};
    qv::cli::CommandRegistry registry;
    std::vector<double> aluIndices = {300, 100, 200, 400};
    int cpuRuns = 0;
    int memRuns = 0;
    bool memoryFails = false;
    bool noOpenGl = false;
    qv::bench::disk::DiskSettings diskSettings;
    qv::bench::display::DisplaySettings displaySettings;

    // Every test at twice the baseline's rate, on a software renderer; 1,000 triangles per frame in 3D.
    static qv::bench::display::DisplayResult displayResult(qv::bench::display::DisplayKind kind)
    {
        qv::bench::display::DisplayResult result;
        result.kind = kind;
        result.renderer = "llvmpipe (LLVM 15.0.6, 256 bits)";
        result.software = true;
        const auto tests = qv::bench::display::displayTests(kind);
        const auto& baseline = qv::bench::display::displayReferences(kind).front().rates;
        for (std::size_t i = 0; i < tests.size(); ++i)
            result.tests.push_back({std::string(tests[i].key),
                                    std::string(tests[i].label),
                                    2 * baseline[i],
                                    2000 * baseline[i],
                                    {}});
        return result;
    }

    // Every test at 100 MB/s but the last write, through threads, without direct I/O.
    static qv::bench::disk::DiskResult diskResult()
    {
        qv::bench::disk::DiskResult result;
        result.method = qv::bench::disk::IoMethod::ThreadPool;
        result.cacheNote = "cached";
        for (const qv::bench::disk::DiskPattern& pattern : qv::bench::disk::diskPatterns())
            result.tests.push_back({pattern, qv::bench::disk::Measurement{100, 1000, 50, 90},
                                    qv::bench::disk::Measurement{100, 1000, 50, 90}});
        result.tests.back().write->megabytesPerSecond = 25;
        return result;
    }
};

TEST_F(BenchCommand, OneRunPrintsOneObjectWithTheRunNumberFirstAndNoSummary)
{
    const Result result = run({"cpu", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0].rfind(
                  "{\"Run\":1,\"DhrystoneRate\":3000000,\"WhetstoneRate\":500000.5,"
                  "\"LivermoreMflops\":370,\"AluIndex\":300,\"FpuIndex\":90,"
                  "\"GeneralIndex\":299,\"ElapsedMs\":1000.25,\"Conditions\":{\"LoadAverage\":[0.1,",
                  0),
              0u)
        << result.lines[0];
}

TEST_F(BenchCommand, RepeatPrintsEveryRunThenTheMedians)
{
    const Result result = run({"cpu", "--repeat", "3", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 4u);
    EXPECT_EQ(cpuRuns, 3);
    for (int run = 1; run <= 3; ++run)
        EXPECT_EQ(
            result.lines[static_cast<std::size_t>(run - 1)].rfind("{\"Run\":" + std::to_string(run) + ',', 0),
            0u);
    EXPECT_EQ(result.lines[3].rfind("{\"Summary\":\"median\",", 0), 0u);
    const QJsonObject summary = object(result.lines[3]);
    EXPECT_EQ(summary.value("AluIndex").toDouble(), 200) << "of 300, 100 and 200";
    EXPECT_EQ(summary.value("DhrystoneRate").toDouble(), 2'000'000);
    EXPECT_EQ(summary.value("GeneralIndex").toDouble(), 199);
    EXPECT_EQ(summary.value("ElapsedMs").toDouble(), 1'000.25);
    EXPECT_EQ(summary.size(), 10) << "Summary, seven figures, Reliable and Warnings";
    EXPECT_FALSE(summary.value("Reliable").toBool()) << "the ALU index spreads from 100 to 300";
    EXPECT_EQ(summary.value("Warnings").toArray().size(), 2) << "AluIndex and GeneralIndex";
    EXPECT_NE(result.err.find("quorvex-cli bench: warning: AluIndex varied by"), std::string::npos)
        << result.err;
}

TEST_F(BenchCommand, MedianOfAnEvenCountIsTheMeanOfTheMiddleTwo)
{
    const Result result = run({"cpu", "--repeat=4", "--json"});
    ASSERT_EQ(result.lines.size(), 5u);
    const QJsonObject summary = object(result.lines[4]);
    EXPECT_EQ(summary.value("AluIndex").toDouble(), 250) << "of 100, 200, 300 and 400";
    EXPECT_EQ(summary.value("LivermoreMflops").toDouble(), 320);
}

TEST_F(BenchCommand, RepeatOnceStillEndsWithTheSummary)
{
    const Result result = run({"mem", "--json", "--repeat", "1"});
    ASSERT_EQ(result.lines.size(), 2u);
    EXPECT_EQ(result.lines[0].rfind("{\"Run\":1,\"ElapsedMs\":1000,\"Speed\":614.4,\"MemoryIndex\":731,", 0),
              0u);
    EXPECT_EQ(result.lines[1],
              "{\"Summary\":\"median\",\"ElapsedMs\":1000,\"Speed\":614.4,\"MemoryIndex\":731,"
              "\"Reliable\":true,\"Warnings\":[]}");
    EXPECT_EQ(cpuRuns, 0);
}

TEST_F(BenchCommand, PlainOutputNamesEveryFigure)
{
    const Result result = run({"mem", "--repeat", "2"});
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.lines,
              (std::vector<std::string>{"Run 1: ElapsedMs 1000, Speed 614.40, MemoryIndex 731",
                                        "Run 2: ElapsedMs 1000, Speed 614.40, MemoryIndex 731",
                                        "Median: ElapsedMs 1000, Speed 614.40, MemoryIndex 731"}));
}

struct UsageRow {
    const char* name;
    std::vector<std::string> args;
};

TEST_F(BenchCommand, BadArgumentsGiveTheUsageOnStandardErrorAndStatusTwo)
{
    const UsageRow rows[] = {
        {"no benchmark named", {}},
        {"an unknown benchmark", {"gpu"}},
        {"two benchmarks", {"cpu", "mem"}},
        {"a repeat count of zero", {"cpu", "--repeat", "0"}},
        {"a repeat count that is no number", {"cpu", "--repeat", "many"}},
        {"a repeat option without its count", {"cpu", "--repeat"}},
        {"an unknown option", {"mem", "--fast"}},
    };
    for (const UsageRow& row : rows) {
        const Result result = run(row.args);
        EXPECT_EQ(result.status, 2) << row.name;
        EXPECT_TRUE(result.lines.empty()) << row.name;
        EXPECT_NE(result.err.find("Usage: quorvex-cli bench"), std::string::npos) << row.name;
    }
    EXPECT_EQ(cpuRuns + memRuns, 0) << "nothing was measured";
}

TEST_F(BenchCommand, OutOfMemoryFailsTheCommandWithTheMessage)
{
    memoryFails = true;
    const Result result = run({"mem", "--json"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.lines.empty());
    EXPECT_EQ(result.err, "quorvex-cli bench: Out of memory\n");
}

TEST_F(BenchCommand, ARunOnBatteryWarnsIsSavedAsUnreliableAndComparesWithAPluggedInRun)
{
    unplug();
    const Result onBattery = run({"cpu", "--save", file("a.json")});
    ASSERT_EQ(onBattery.status, 0) << onBattery.err;
    EXPECT_EQ(onBattery.err,
              "quorvex-cli bench: warning: running on battery: the clock is lowered and varies\n");
    EXPECT_EQ(onBattery.lines.back(), "Saved in " + file("a.json"));
    const qv::results::SavedResult saved = qv::results::readSavedResult(file("a.json"));
    EXPECT_FALSE(saved.reliable);
    EXPECT_EQ(saved.runs.at(0).conditions.onBattery, true);
    EXPECT_EQ(saved.label, "bench-host " + saved.created.substr(0, 10));
    EXPECT_EQ(saved.machine, machine);

    tree.write("sys/class/power_supply/BAT0/status", "Full\n");
    aluIndices = {330};
    ASSERT_EQ(run({"cpu", "--save", file("b.json"), "--label", "plugged in"}).status, 0);

    const Result compared = run({"--compare", file("a.json"), file("b.json")});
    ASSERT_EQ(compared.status, 0) << compared.err;
    const auto lineWith = [&](const std::string& text) {
        const auto found =
            std::find_if(compared.lines.begin(), compared.lines.end(),
                         [&](const std::string& line) { return line.find(text) != std::string::npos; });
        return found == compared.lines.end() ? std::string() : *found;
    };
    EXPECT_EQ(compared.lines.front(), "General index");
    EXPECT_NE(lineWith("Athlon XP 1700+"), "") << "the family the chart shows first for 299";
    EXPECT_NE(lineWith(saved.label).find("  !   "), std::string::npos)
        << "unreliable: " << lineWith(saved.label);
    EXPECT_NE(lineWith("plugged in").find("110.0 %"), std::string::npos) << lineWith("plugged in");
    EXPECT_NE(lineWith("  OnBattery"), "");
    EXPECT_NE(lineWith("plugged in: false"), "");
    EXPECT_EQ(lineWith("  Governor"), "") << "alike conditions are not listed";
}

TEST_F(BenchCommand, OtherMachinesAndKernelRevisionsAreMarkedAndNotCounted)
{
    ASSERT_EQ(run({"mem", "--save", file("here.json")}).status, 0);
    qv::results::SavedResult other = qv::results::readSavedResult(file("here.json"));
    other.machine.machineKey = "ffffffffffffffff";
    other.kernelRevision = 0;
    other.label = "old laptop";
    qv::results::writeFileAtomically(file("other.json"),
                                     qv::results::indentedJson(qv::results::savedResultJson(other)),
                                     qv::results::Existing::Keep);

    const Result result = run({"mem", "--compare", file("here.json"), "--compare", file("other.json")});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto row = [&](const std::string& start) {
        for (const std::string& line : result.lines) {
            if (line.rfind("  " + start, 0) == 0)
                return line;
        }
        return std::string();
    };
    EXPECT_EQ(row("old laptop").find('%'), std::string::npos) << row("old laptop");
    EXPECT_NE(row("old laptop").find(" MR "), std::string::npos) << row("old laptop");
    EXPECT_NE(row("This run").find("100.0 %"), std::string::npos) << row("This run");
    EXPECT_EQ(memRuns, 2);
}

TEST_F(BenchCommand, AReportsSessionsAreComparedLikeSavedResults)
{
    ASSERT_EQ(run({"mem", "--save", file("mem.json"), "--label", "in a report"}).status, 0);
    const std::string session = qv::results::readSmallFile(file("mem.json")).toStdString();
    qv::test::FakeTree::writeFile(file("report.json"), R"({"Schema": "quorvex-report", "SchemaVersion": 1, )"
                                                       R"("Processor": {}, "Benchmarks": [)" +
                                                           session + "]}");
    qv::test::FakeTree::writeFile(file("empty.json"), R"({"Schema": "quorvex-report", "SchemaVersion": 1, )"
                                                      R"("Benchmarks": []})");
    const Result compared = run({"mem", "--compare", file("report.json")});
    ASSERT_EQ(compared.status, 0) << compared.err;
    EXPECT_NE(std::find_if(compared.lines.begin(), compared.lines.end(),
                           [](const std::string& line) { return line.rfind("  in a report ", 0) == 0; }),
              compared.lines.end());
    const Result empty = run({"mem", "--compare", file("empty.json")});
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.err, "quorvex-cli bench: '" + file("empty.json") + "' holds no benchmark result\n");
}

TEST_F(BenchCommand, SavingNeverReplacesUnlessForcedAndAFailedSaveKeepsTheFigures)
{
    qv::test::FakeTree::writeFile(file("kept.json"), "mine");
    const Result refused = run({"mem", "--save", file("kept.json")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "quorvex-cli bench: '" + file("kept.json") + "' exists already; --force replaces it\n");
    EXPECT_EQ(memRuns, 0) << "refused before measuring";
    ASSERT_EQ(run({"mem", "--save", file("kept.json"), "--force"}).status, 0);
    EXPECT_EQ(qv::results::readSavedResult(file("kept.json")).benchmark, qv::results::Benchmark::Mem);
}

TEST_F(BenchCommand, SaveTargetsThatCannotBeWrittenAreRefusedBeforeMeasuring)
{
    std::filesystem::create_symlink(file("nowhere/r.json"), file("dangling.json"));
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string message;
    } rows[] = {
        {"a missing folder",
         {"mem", "--save", file("missing/r.json")},
         "cannot write '" + file("missing/r.json") + "': No such file or directory"},
        {"a name too long",
         {"mem", "--save", file(std::string(300, 'n'))},
         "cannot write '" + file(std::string(300, 'n')) + "': File name too long"},
        {"a dangling link",
         {"mem", "--save", file("dangling.json")},
         "'" + file("dangling.json") + "' exists already; --force replaces it"},
        {"a folder",
         {"mem", "--save", files.path().string()},
         "cannot write '" + files.path().string() + "': Is a directory"},
        {"a folder, forced",
         {"mem", "--save", files.path().string(), "--force"},
         "cannot write '" + files.path().string() + "': Is a directory"},
    };
    for (const auto& row : rows) {
        const Result result = run(row.args);
        EXPECT_EQ(result.status, 1) << row.name;
        EXPECT_EQ(result.err, "quorvex-cli bench: " + row.message + '\n') << row.name;
    }
    EXPECT_EQ(memRuns, 0) << "nothing is measured for a save that cannot be made";
}

TEST_F(BenchCommand, ManyCompareFilesGetTheLimitAtOnceAndAFifoIsNotWaitedFor)
{
    std::vector<std::string> args{"--compare"};
    for (int i = 0; i < 200; ++i)
        args.push_back(file("f" + std::to_string(i)));
    const Result many = run(args);
    EXPECT_EQ(many.status, 2);
    EXPECT_EQ(many.err.rfind("quorvex-cli bench: at most 20 --compare files\n", 0), 0u) << many.err;

    const std::string fifo = file("fifo.json");
    ASSERT_TRUE(qv::test::makeFifo(fifo));
    Result result;
    EXPECT_TRUE(qv::test::endsWithoutAWriter(fifo, [&] { result = run({"--compare", fifo}); }));
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "quorvex-cli bench: cannot read '" + fifo + "': not a regular file\n");
}

TEST_F(BenchCommand, ControlCharactersOfASavedLabelShowAsEscapes)
{
    const std::string label = "evil\x1B]0;title\x07\x1B[31mred\nline\xC2\x9B";
    ASSERT_EQ(run({"mem", "--save", file("evil.json"), "--label", label}).status, 0);
    const Result compared = run({"--compare", file("evil.json"), file("evil.json")});
    ASSERT_EQ(compared.status, 0) << compared.err;
    std::string all;
    for (const std::string& line : compared.lines)
        all += line + '\n';
    EXPECT_EQ(all.find('\x1B'), std::string::npos);
    EXPECT_EQ(all.find('\x07'), std::string::npos);
    EXPECT_EQ(all.find("\xC2\x9B"), std::string::npos);
    EXPECT_NE(all.find("evil\\x1B]0;title\\x07\\x1B[31mred\\x0Aline\\u009B"), std::string::npos) << all;
}

TEST_F(BenchCommand, CompareFilesThatCannotBeUsedStopBeforeMeasuring)
{
    ASSERT_EQ(run({"mem", "--save", file("mem.json")}).status, 0);
    qv::test::FakeTree::writeFile(file("junk.json"), "{}");
    const struct {
        std::vector<std::string> args;
        std::string message;
    } rows[] = {
        {{"cpu", "--compare", file("mem.json")}, "'" + file("mem.json") + "' holds a mem result, not cpu"},
        {{"--compare", file("missing.json")},
         "cannot read '" + file("missing.json") + "': No such file or directory"},
        {{"mem", "--compare", file("junk.json")},
         "'" + file("junk.json") + "' is not a saved result: Schema is missing"},
    };
    const int measured = memRuns;
    for (const auto& row : rows) {
        const Result result = run(row.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "quorvex-cli bench: " + row.message + '\n');
    }
    EXPECT_EQ(cpuRuns + memRuns, measured);
}

TEST_F(BenchCommand, OptionsThatDoNotGoTogetherAreUsageErrors)
{
    std::vector<std::string> tooMany{"--compare"};
    for (int i = 0; i < 21; ++i) {
        tooMany.push_back("--compare");
        tooMany.push_back("f" + std::to_string(i));
    }
    tooMany.erase(tooMany.begin());
    const std::vector<std::vector<std::string>> rows = {
        {"cpu", "--label", "x"},    {"cpu", "--force"},
        {"--save", "x.json"},       {"cpu", "--json", "--compare", "a.json"},
        {"cpu", "--family", "all"}, tooMany,
    };
    for (const auto& args : rows) {
        const Result result = run(args);
        EXPECT_EQ(result.status, 2) << args.front() << ' ' << args.at(1);
        EXPECT_NE(result.err.find("Usage: quorvex-cli bench"), std::string::npos);
    }
    ASSERT_EQ(run({"mem", "--save", file("m.json")}).status, 0);
    const Result family = run({"--compare", file("m.json"), "--family", "Z80"});
    EXPECT_EQ(family.status, 2);
    EXPECT_NE(family.err.find("unknown family 'Z80' ('486', 'Pentium', "), std::string::npos) << family.err;
    EXPECT_EQ(run({"--compare", file("m.json"), "--family", "pentium iii / 4"}).status, 0);
}

TEST_F(BenchCommand, DiskRunsWithTheFolderSizeAndTimeGivenAndItsSavedResultCompares)
{
    const Result result = run({"disk", "--path", files.path().string(), "--size", "64", "--seconds", "2",
                               "--json", "--save", file("d.json")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(diskSettings.folder, files.path().string());
    EXPECT_EQ(diskSettings.fileSize, 64 * qv::bench::disk::kMiB);
    EXPECT_EQ(diskSettings.duration, std::chrono::seconds(2));
    ASSERT_EQ(result.lines.size(), 1u);
    const QJsonObject line = object(result.lines[0]);
    EXPECT_EQ(line.value("Rnd4KQ1WriteMBs").toDouble(), 25);
    EXPECT_EQ(line.value("Setup").toObject().value("Method").toString(), "thread pool");
    EXPECT_EQ(line.value("Setup").toObject().value("Note").toString(), "cached");

    const qv::results::SavedResult saved = qv::results::readSavedResult(file("d.json"));
    EXPECT_EQ(saved.benchmark, qv::results::Benchmark::Disk);
    EXPECT_EQ(saved.setup.at("DirectIo"), "no");
    const Result compared = run({"--compare", file("d.json")});
    ASSERT_EQ(compared.status, 0) << compared.err;
    const auto has = [&](const std::string& start, const std::string& end) {
        return std::any_of(compared.lines.begin(), compared.lines.end(), [&](const std::string& text) {
            return text.starts_with(start) && text.ends_with(end);
        });
    };
    EXPECT_TRUE(has("Disk index", "")) << compared.lines.front();
    EXPECT_TRUE(has("  SATA SSD ", " 1000"));
}

TEST_F(BenchCommand, DiskOptionsGoWithDiskAndTheSizeStaysInItsRange)
{
    EXPECT_EQ(run({"cpu", "--seconds", "2"}).status, 2);
    EXPECT_EQ(run({"disk", "--size", "63"}).status, 2);
    EXPECT_EQ(run({"disk", "--size", "16385"}).status, 2);
}

TEST_F(BenchCommand, ThreeDRunsForTheTimeGivenAndItsSavedResultComparesWithTheMeasuredRows)
{
    const Result result = run({"3d", "--seconds", "2", "--json", "--save", file("3d.json")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(displaySettings.duration, std::chrono::seconds(2));
    ASSERT_EQ(result.lines.size(), 1u);
    const QJsonObject line = object(result.lines[0]);
    EXPECT_EQ(line.value("ModelTrianglesPerSecond").toDouble(),
              2000 * qv::bench::display::displayReferences(qv::bench::display::DisplayKind::ThreeD)
                         .front()
                         .rates.back());
    EXPECT_EQ(line.value("Display3DIndex").toDouble(), 200);
    EXPECT_EQ(line.value("Setup").toObject().value("SoftwareRenderer").toString(), "yes");

    const qv::results::SavedResult saved = qv::results::readSavedResult(file("3d.json"));
    EXPECT_EQ(saved.benchmark, qv::results::Benchmark::Display3D);
    const Result compared = run({"--compare", file("3d.json")});
    ASSERT_EQ(compared.status, 0) << compared.err;
    EXPECT_TRUE(std::any_of(compared.lines.begin(), compared.lines.end(),
                            [](const std::string& text) { return text.starts_with("3D index"); }));
    EXPECT_TRUE(std::any_of(compared.lines.begin(), compared.lines.end(), [](const std::string& text) {
        return text.ends_with(" 100");
    })) << "the baseline row scores 100";
}

TEST_F(BenchCommand, TwoDRecordsTheScaleAndTakesNoDiskOption)
{
    const Result result = run({"2d", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(displaySettings.duration, qv::bench::display::DisplaySettings().duration);
    const QJsonObject line = object(result.lines.at(0));
    EXPECT_EQ(line.value("Scale").toDouble(), 1);
    EXPECT_EQ(line.value("Display2DIndex").toDouble(), 200);
    EXPECT_EQ(run({"2d", "--size", "64"}).status, 2);
}

TEST(BenchCommandRegistration, TheToolOffersBench)
{
    const qv::cli::CommandRegistry registry = qv::cli::standardCommands();
    const qv::cli::Subcommand* bench = registry.find("bench");
    ASSERT_NE(bench, nullptr);
    EXPECT_EQ(
        bench->usage.rfind(
            "Usage: quorvex-cli bench [--repeat N] [--json] [--save FILE] [--label TEXT] "
            "[--force] [--compare FILE]... [--family NAME|all] [--path DIR] [--size MiB] "
            "[--seconds S] [--port N] [--streams N] [cpu|mem|disk|2d|3d|all|net HOST|inet URL|FILE...]\n",
            0),
        0u)
        << bench->usage;
}

TEST_F(BenchCommand, AllRunsEachBenchmarkOnceSkipsWhatCannotRunAndSavesTheWholeRun)
{
    noOpenGl = true;
    // The findings read this empty machine: nothing to find.
    const qv::hardware::ScopedMachineTree machineFacts(
        std::make_shared<qv::hardware::FolderTree>(files.path()));
    const Result result = run({"all", "--json", "--save", file("all.qvr")});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 6U);
    EXPECT_EQ(object(result.lines[0])["Benchmark"].toString(), "cpu");
    EXPECT_EQ(object(result.lines[2])["Setup"].toObject()["Method"].toString(), "thread pool");
    EXPECT_EQ(object(result.lines[4])["Skipped"].toString(), "No OpenGL context can be made on this display");
    const QJsonObject summary = object(result.lines[5]);
    EXPECT_EQ(summary["Summary"].toString(), "all");
    EXPECT_EQ(summary["Display2DIndex"].toInt(), 200);
    EXPECT_EQ(summary["Display3DIndex"].toInt(), 0);
    EXPECT_GT(summary["OverallIndex"].toInt(), 0);
    EXPECT_EQ(summary["Findings"].toArray(), QJsonArray());
    EXPECT_EQ(cpuRuns, 1);
    EXPECT_EQ(diskSettings.fileSize, 256 * qv::bench::disk::kMiB);

    const Result compared = run({"--compare", file("all.qvr")});
    ASSERT_EQ(compared.status, 0) << compared.err;
    EXPECT_EQ(compared.lines.front(), "Overall index");
    EXPECT_EQ(run({"all", "--repeat", "2"}).status, 2);
}

} // namespace

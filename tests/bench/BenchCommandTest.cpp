#include "tools/cli/BenchCommand.h"

#include "bench/MemoryKernel.h"
#include "tests/support/FakeTree.h"
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

TEST(BenchCommandRegistration, TheToolOffersBench)
{
    const qv::cli::CommandRegistry registry = qv::cli::standardCommands();
    const qv::cli::Subcommand* bench = registry.find("bench");
    ASSERT_NE(bench, nullptr);
    EXPECT_EQ(
        bench->usage.rfind("Usage: quorvex-cli bench [--repeat N] [--json] [--save FILE] [--label TEXT] "
                           "[--force] [--compare FILE]... [--family NAME|all] [cpu|mem]\n",
                           0),
        0u)
        << bench->usage;
}

} // namespace

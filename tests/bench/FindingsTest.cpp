#include "bench/overall/Findings.h"

#include "hardware/tree/MachineTree.h"
#include "tests/hardware/DriveTrees.h"
#include "tests/hardware/PeripheralTrees.h"
#include "tests/hardware/SmbiosImages.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using qv::bench::overall::OverallResult;
using qv::results::Benchmark;
using qv::results::RunConditions;
using qv::test::FakeTree;

qv::results::SavedResult session(Benchmark benchmark, qv::results::Figures figures,
                                 RunConditions conditions = {}, qv::results::SetupFacts setup = {})
{
    qv::results::SavedResult result;
    result.benchmark = benchmark;
    result.summary = figures;
    result.runs.push_back({std::move(figures), std::move(conditions)});
    result.setup = std::move(setup);
    return result;
}

// The processor benchmark, run with these clocks and counts.
OverallResult processorRun(const RunConditions& conditions)
{
    return {{session(Benchmark::Cpu, {{"GeneralIndex", 2000}}, conditions)}, {}, false};
}

RunConditions clocked(const char* governor, std::int64_t currentKHz, std::int64_t scalingMaxKHz = 3'600'000)
{
    RunConditions conditions;
    conditions.governor = governor;
    conditions.currentKHz = std::vector<std::int64_t>{currentKHz / 2, currentKHz};
    conditions.hardwareMaxKHz = 3'600'000;
    conditions.scalingMaxKHz = scalingMaxKHz;
    return conditions;
}

RunConditions withThrottling(std::optional<std::int64_t> events)
{
    RunConditions conditions;
    conditions.throttleEvents = events;
    return conditions;
}

RunConditions withOtherUse(std::optional<double> processors)
{
    RunConditions conditions;
    conditions.otherCpuUse = processors;
    return conditions;
}

// The disk benchmark on `device`, at 0.5 MB/s reading 4 KiB at random.
OverallResult diskRun(const char* device)
{
    return {
        {session(Benchmark::Disk, {{"Rnd4KQ1ReadMBs", 0.5}, {"DiskIndex", 40}}, {}, {{"Device", device}})},
        {},
        false};
}

OverallResult threeDRun(const char* renderer)
{
    return {
        {session(Benchmark::Display3D, {{"Display3DIndex", 95}}, {}, {{"Renderer", renderer}})}, {}, false};
}

void writeMemory(FakeTree& tree, const char* totalKiB)
{
    tree.write("proc/meminfo", std::string("MemTotal:       ") + totalKiB + " kB\n");
}

struct FindingRow {
    const char* name;
    void (*machine)(FakeTree&);
    OverallResult result;
    const char* rule;
    const char* text; // nullptr: the rule says nothing
};

class Findings : public testing::TestWithParam<FindingRow> {};

TEST_P(Findings, RuleSpeaksAsItsRowSays)
{
    const FindingRow& row = GetParam();
    FakeTree tree;
    row.machine(tree);
    const qv::hardware::ScopedMachineTree installed(std::make_shared<qv::hardware::FolderTree>(tree.path()));
    const auto findings =
        qv::bench::overall::evaluateFindings(qv::bench::overall::findingsInputHere(row.result));
    const auto found =
        std::find_if(findings.begin(), findings.end(),
                     [&](const qv::bench::overall::Finding& each) { return each.rule == row.rule; });
    if (row.text == nullptr) {
        EXPECT_EQ(found, findings.end()) << found->text;
        return;
    }
    ASSERT_NE(found, findings.end());
    EXPECT_EQ(found->text, row.text);
}

void nothing(FakeTree& /*tree*/) {}
void littleMemory(FakeTree& tree)
{
    writeMemory(tree, "3145728");
}
void fourGiB(FakeTree& tree)
{
    writeMemory(tree, "4194304");
}
void oneModule(FakeTree& tree)
{
    writeSmbios(tree, qv::test::singleModuleSmbios());
}
void llvmpipeDisplay(FakeTree& tree)
{
    qv::test::appendFacts(tree, "display\t" +
                                    qv::hardware::escapedFactText("opengl\tMesa\tllvmpipe (LLVM 15.0.6, 256 "
                                                                  "bits)\t4.5 (Core Profile) Mesa 22.3.6\n") +
                                    '\n');
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Findings,
    testing::Values(
        FindingRow{"powersave at 800 MHz of 3600 holds the clock down", nothing,
                   processorRun(clocked("powersave", 800'000)), "clock-held-down",
                   "The processor ran at 800 MHz of 3,600: the powersave governor held it down"},
        FindingRow{"a clock of 80 percent of the maximum is not held down", nothing,
                   processorRun(clocked("powersave", 2'880'000)), "clock-held-down", nullptr},
        FindingRow{"the performance governor is never blamed", nothing,
                   processorRun(clocked("performance", 800'000)), "clock-held-down", nullptr},
        FindingRow{"no cpufreq, no governor finding", nothing, processorRun({}), "clock-held-down", nullptr},
        FindingRow{
            "without the processor benchmark, the memory run's clocks",
            nothing,
            {{session(Benchmark::Mem, {{"MemoryIndex", 700}}, clocked("powersave", 1'200'000))}, {}, false},
            "clock-held-down",
            "The processor ran at 1,200 MHz of 3,600: the powersave governor held it down"},
        FindingRow{"a ceiling of 3400 MHz of 3600 is low", nothing,
                   processorRun(clocked("schedutil", 3'400'000, 3'400'000)), "clock-ceiling",
                   "The clock may not rise above 3,400 MHz of 3,600: the governor's ceiling is set low"},
        FindingRow{"a ceiling of 95 percent is not low", nothing,
                   processorRun(clocked("schedutil", 3'420'000, 3'420'000)), "clock-ceiling", nullptr},
        FindingRow{"no ceiling known, no ceiling finding", nothing, processorRun({}), "clock-ceiling",
                   nullptr},
        FindingRow{"three throttle events", nothing, processorRun(withThrottling(3)), "thermal-throttling",
                   "The processor slowed down for heat 3 times during the run: its cooling cannot keep up"},
        FindingRow{"no throttle event", nothing, processorRun(withThrottling(0)), "thermal-throttling",
                   nullptr},
        FindingRow{"no throttle counts", nothing, processorRun(withThrottling(std::nullopt)),
                   "thermal-throttling", nullptr},
        FindingRow{
            "other programs using a fifth of a processor", nothing, processorRun(withOtherUse(0.2)),
            "busy-machine",
            "Other programs kept 0.2 processors busy: the figures are lower than this machine can reach"},
        FindingRow{"other programs just under a fifth", nothing, processorRun(withOtherUse(0.19)),
                   "busy-machine", nullptr},
        FindingRow{"no load sample", nothing, processorRun(withOtherUse(std::nullopt)), "busy-machine",
                   nullptr},
        FindingRow{"3 GiB of memory",
                   littleMemory,
                   {},
                   "little-memory",
                   "Memory is 3.0 GiB: below 4 GiB, programs wait on the disk as soon as several are open"},
        FindingRow{"4 GiB of memory is enough", fourGiB, {}, "little-memory", nullptr},
        FindingRow{"no meminfo, no memory finding", nothing, {}, "little-memory", nullptr},
        FindingRow{"one module in two slots",
                   oneModule,
                   {},
                   "single-module",
                   "Memory is one module in 2 slots: two would double the bandwidth"},
        FindingRow{"two modules in four slots", qv::test::writeDesktopTree, {}, "single-module", nullptr},
        FindingRow{
            "no SMBIOS, no slot finding", qv::test::writeVirtualMachineTree, {}, "single-module", nullptr},
        FindingRow{"the virtual machine's rotational disk", qv::test::writeVirtualMachineTree, diskRun("vda"),
                   "spinning-disk",
                   "The drive vda is a spinning disk (0.50 MB/s reading 4 KiB at random): an SSD would be "
                   "many times "
                   "faster for small files"},
        FindingRow{"the desktop's NVMe drive is solid-state", qv::test::writeDesktopDrives,
                   diskRun("nvme0n1"), "spinning-disk", nullptr},
        FindingRow{"a drive the collector does not list", qv::test::writeVirtualMachineTree, diskRun("dm-0"),
                   "spinning-disk", nullptr},
        FindingRow{
            "llvmpipe from the 3D benchmark", nothing, threeDRun("llvmpipe (LLVM 15.0.6, 256 bits)"),
            "software-renderer",
            "Graphics use a software renderer (llvmpipe (LLVM 15.0.6, 256 bits), 3D index 95): the graphics "
            "driver is missing"},
        FindingRow{
            "llvmpipe from the recorded display",
            llvmpipeDisplay,
            {},
            "software-renderer",
            "Graphics use a software renderer (llvmpipe (LLVM 15.0.6, 256 bits)): the graphics driver is "
            "missing"},
        FindingRow{
            "the desktop's graphics chip", qv::test::writeDesktopVideo, {}, "software-renderer", nullptr},
        FindingRow{"no OpenGL known, no renderer finding",
                   qv::test::writeVirtualMachineTree,
                   {},
                   "software-renderer",
                   nullptr}),
    qv::test::RowName());

} // namespace

#include "platform/CpuidDump.h"
#include "platform/FileAccess.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

namespace {

using qv::platform::CpuidDumpLine;
using qv::platform::CpuidRegisters;
using qv::platform::parseCpuidDumpLine;
using qv::platform::RecordedCpuidSource;

struct LineCase {
    const char* name;
    const char* line;
    bool valid;
    std::uint32_t leaf = 0;
    CpuidRegisters registers = {};
};

class DumpLine : public testing::TestWithParam<LineCase> {};

TEST_P(DumpLine, IsReadOrSkipped)
{
    const LineCase& row = GetParam();
    const std::optional<CpuidDumpLine> parsed = parseCpuidDumpLine(row.line);
    ASSERT_EQ(parsed.has_value(), row.valid);
    if (row.valid) {
        EXPECT_EQ(parsed->leaf, row.leaf);
        EXPECT_EQ(parsed->registers, row.registers);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DumpLine,
    testing::Values(LineCase{"Standard",
                             "CPUID 00000002: 03020101-00000000-00000000-0C040843",
                             true,
                             2,
                             {0x03020101, 0, 0, 0x0C040843}},
                    LineCase{"Extended",
                             "CPUID 80000008: 00003030-00000000-0000703F-00000000",
                             true,
                             0x80000008,
                             {0x3030, 0, 0x703F, 0}},
                    LineCase{"LowerCaseHex",
                             "CPUID 8000000a: deadbeef-0-1-ffffffff",
                             true,
                             0x8000000A,
                             {0xDEADBEEF, 0, 1, 0xFFFFFFFF}},
                    LineCase{
                        "ShortNumbersAndBlanks", "  CPUID\t1 : 683-0-0-3  \r", true, 1, {0x683, 0, 0, 3}},
                    LineCase{"NineDigitValue", "CPUID 00000001: 100000000-0-0-0", false},
                    LineCase{"NineDigitLeaf", "CPUID 000000001: 0-0-0-0", false},
                    LineCase{"ThreeRegisters", "CPUID 00000001: 0-0-0", false},
                    LineCase{"FiveRegisters", "CPUID 00000001: 0-0-0-0-0", false},
                    LineCase{"TrailingText", "CPUID 00000001: 0-0-0-0 extra", false},
                    LineCase{"MissingColon", "CPUID 00000001 0-0-0-0", false},
                    LineCase{"NoBlankAfterKeyword", "CPUID00000001: 0-0-0-0", false},
                    LineCase{"LowerCaseKeyword", "cpuid 00000001: 0-0-0-0", false},
                    LineCase{"HexPrefix", "CPUID 0x1: 0-0-0-0", false},
                    LineCase{"NegativeValue", "CPUID 00000001: -1-0-0-0", false},
                    LineCase{"EmptyRegister", "CPUID 00000001: 0--0-0", false},
                    LineCase{"Comment", "# CPUID 00000001: 0-0-0-0", false}, LineCase{"Empty", "", false}),
    qv::test::RowName());

TEST(RecordedSource, TheLastDuplicateWinsAndAbsentLeavesReadAsZeros)
{
    const RecordedCpuidSource source = RecordedCpuidSource::parse("CPUID 00000001: 1-2-3-4\n"
                                                                  "garbage line\n"
                                                                  "CPUID 00000001: 5-6-7-8\n");
    EXPECT_TRUE(source.identificationFlagToggles());
    EXPECT_EQ(source.execute(1), (CpuidRegisters{5, 6, 7, 8}));
    EXPECT_EQ(source.execute(0), CpuidRegisters{});
    EXPECT_EQ(source.execute(0xFFFFFFFF), CpuidRegisters{});
}

TEST(RecordedSource, WithoutAnyCpuidLineThereIsNoCpuid)
{
    for (const char* text : {"", "\n\n", "# only a comment\n", "CPUID 1: 2-3-4\nCPUID zz: 0-0-0-0\n"})
        EXPECT_FALSE(RecordedCpuidSource::parse(text).identificationFlagToggles()) << text;
}

TEST(RecordedSource, AClockLineNamesTheMeasuredClockAndMalformedOnesAreSkipped)
{
    EXPECT_EQ(RecordedCpuidSource::parse("CLOCK 866.0\n").scriptedClockMegahertz(), 866.0f);
    EXPECT_EQ(RecordedCpuidSource::parse("  CLOCK\t865.5  \nCLOCK 1\n").scriptedClockMegahertz(), 1.0f);
    for (const char* text : {"", "CLOCK\n", "CLOCK -3\n", "CLOCK 866 MHz\n", "CLOCK nan\n", "CLOCK inf\n",
                             "CLOCKS 866\n", "# CLOCK 866\n"})
        EXPECT_FALSE(RecordedCpuidSource::parse(text).scriptedClockMegahertz().has_value()) << text;
}

TEST(RecordedSource, ALastLineWithoutNewlineCounts)
{
    EXPECT_EQ(RecordedCpuidSource::parse("CPUID 00000000: 1-2-3-4").execute(0), (CpuidRegisters{1, 2, 3, 4}));
}

TEST(RecordedSource, AFileThatCannotBeReadGivesNothingAndTheReason)
{
    // A folder opens but fails on the first read; it must not pass for an empty dump.
    const std::pair<std::string, int> cases[] = {{qv::test::dumpPath("does-not-exist.txt"), ENOENT},
                                                 {qv::test::dumpPath(""), EISDIR}};
    for (const auto& [path, reason] : cases) {
        try {
            RecordedCpuidSource::fromFile(path);
            ADD_FAILURE() << path << " was read";
        } catch (const qv::platform::FileAccessError& error) {
            EXPECT_EQ(error.reason(), std::strerror(reason)) << path;
        }
    }
}

TEST(RecordedSource, EveryShippedDumpIsReadable)
{
    for (const char* file : {"intel-pentium4-northwood.txt", "amd-epyc.txt", "no-cpuid.txt"})
        EXPECT_NO_THROW(RecordedCpuidSource::fromFile(qv::test::dumpPath(file))) << file;
}

TEST(RecordedDump, FormatsOneLinePerLeafInUpperCase)
{
    EXPECT_EQ(qv::platform::formatCpuidDumpLine(0x80000002, {0x20202020, 0xABCDEF01, 0, 0x007A4847}),
              "CPUID 80000002: 20202020-ABCDEF01-00000000-007A4847");
}

TEST(RecordedDump, RecordsBothRangesAndReplaysTheSameRegisters)
{
    const auto original = qv::test::ScopedDump::load("amd-epyc.txt");
    const std::string dump = qv::platform::recordCpuidDump(*original);
    EXPECT_TRUE(dump.starts_with("# Brand string: AMD EPYC 7B12 64-Core Processor\n")) << dump;
    const RecordedCpuidSource replay = RecordedCpuidSource::parse(dump);
    // Leaves 0..0x10 and 0x80000000..0x80000008.
    EXPECT_EQ(replay.leaves().size(), 17u + 9u);
    for (std::uint32_t leaf : {0u, 1u, 0x10u, 0x80000000u, 0x80000004u, 0x80000008u})
        EXPECT_EQ(replay.execute(leaf), original->execute(leaf)) << std::hex << leaf;
}

TEST(RecordedDump, NoExtendedLeavesRecordsLeaf80000000Alone)
{
    const auto original = qv::test::ScopedDump::load("intel-pentium3-katmai-no-extended-leaf.txt");
    const RecordedCpuidSource replay = RecordedCpuidSource::parse(qv::platform::recordCpuidDump(*original));
    EXPECT_EQ(replay.leaves().size(), 4u + 1u);
    EXPECT_EQ(replay.execute(0x80000000).eax, 0x03020101u);
}

TEST(RecordedDump, ARunawayMaximumIsCut)
{
    const RecordedCpuidSource huge = RecordedCpuidSource::parse("CPUID 00000000: FFFFFFFF-0-0-0\n"
                                                                "CPUID 80000000: FFFFFFFF-0-0-0\n");
    const RecordedCpuidSource replay = RecordedCpuidSource::parse(qv::platform::recordCpuidDump(huge));
    EXPECT_EQ(replay.leaves().size(), 512u);
}

TEST(RecordedDump, NoCpuidGivesACommentOnly)
{
    const std::string dump = qv::platform::recordCpuidDump(RecordedCpuidSource::parse(""));
    EXPECT_FALSE(RecordedCpuidSource::parse(dump).identificationFlagToggles());
}

TEST(ProcessorSource, RecordingThisMachineReplaysEveryLeaf)
{
    const auto& processor = qv::platform::processorCpuidSource();
    if (!processor.identificationFlagToggles())
        GTEST_SKIP() << "this processor has no CPUID";
    const RecordedCpuidSource replay = RecordedCpuidSource::parse(qv::platform::recordCpuidDump(processor));
    ASSERT_GE(replay.leaves().size(), 2u);
    // Leaf 0 and the brand leaves are the same on every core and at every moment.
    EXPECT_EQ(replay.execute(0), processor.execute(0));
    EXPECT_EQ(replay.execute(0x80000000), processor.execute(0x80000000));
    if (processor.execute(0x80000000).eax >= 0x80000004) {
        EXPECT_EQ(replay.execute(0x80000003), processor.execute(0x80000003));
    }
}

TEST(ProcessorSource, TheTimeStampCounterAdvances)
{
#if defined(__x86_64__) || defined(__i386__)
    const auto& processor = qv::platform::processorCpuidSource();
    const std::uint64_t first = processor.readTimeStampCounter();
    EXPECT_GT(processor.readTimeStampCounter(), first);
#else
    GTEST_SKIP() << "no time-stamp counter off x86";
#endif
}

TEST(InstalledSource, ScopesNestAndRestore)
{
    const auto outer = qv::test::ScopedDump::fromText("CPUID 00000000: 1-0-0-0\n");
    const auto inner = qv::test::ScopedDump::fromText("CPUID 00000000: 2-0-0-0\n");
    {
        qv::platform::ScopedCpuidSource first(outer);
        {
            qv::platform::ScopedCpuidSource second(inner);
            EXPECT_EQ(qv::platform::installedCpuidSource().execute(0).eax, 2u);
        }
        EXPECT_EQ(qv::platform::installedCpuidSource().execute(0).eax, 1u);
    }
    EXPECT_EQ(&qv::platform::installedCpuidSource(), &qv::platform::processorCpuidSource());
}

} // namespace

// The clock measurement on a simulated clock: each reading of the tick counter lets 250 µs pass and
// the counter steps by `granularity` ms. The measurement starts at the first tick edge and ends at the
// first reading that reaches the start + delay, each followed at once by the time-stamp counter, so at
// 10 ms steps over 2000 ms it times 1990 ms: a processor at M MHz measures 0.995 × M.
#include "cpu/cxCPU2kVcl.h"
#include "cpu/cxcpu2kDefault.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qv::cpu::MeasureClock;
using qv::cpu::TcxCPU2000;
using qv::test::FakeClock;
using qv::test::ScopedDump;

constexpr std::uint32_t kTscFeature = 1u << 4;

std::shared_ptr<const qv::platform::CpuidSource> intelWithTsc()
{
    return ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x683, kTscFeature));
}

struct MeasureCase {
    const char* name;
    std::uint64_t megahertz;
    std::uint32_t granularity;
    std::uint32_t startTick;
    std::int32_t delay;
    float expected;
};

class ClockMeasurement : public testing::TestWithParam<MeasureCase> {};

TEST_P(ClockMeasurement, TimesFromATickEdgeToTheTarget)
{
    const MeasureCase& row = GetParam();
    FakeClock clock(intelWithTsc(), row.megahertz, row.granularity, row.startTick);
    EXPECT_FLOAT_EQ(MeasureClock(row.delay), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Clocks, ClockMeasurement,
    testing::Values(
        // 1990 ms of cycles divided by 2000 ms.
        MeasureCase{"Coppermine866", 867, 10, 0, 2000, 862.665f},
        // The same across the wrap of the 32-bit tick counter: elapsed time is an unsigned difference.
        MeasureCase{"TickCounterWrapsDuringTheWait", 867, 10, 0xFFFFFF00u, 2000, 862.665f},
        // 55 ms steps: the edge comes at 55 ms and the first reading at or past 2000 ms is 2035 ms.
        MeasureCase{"Windows9xTickSteps", 1000, 55, 0, 2000, 990.0f},
        // One-second delay at 10 ms steps: 990 ms of cycles divided by 1000 ms.
        MeasureCase{"OneSecond", 500, 10, 0, 1000, 495.0f},
        // Beyond 2^32 cycles: the counter's high half counts.
        MeasureCase{"FastCounter", 4000, 1, 0, 2000, 3998.0f}),
    qv::test::RowName());

TEST(ClockMeasurement, WithoutTheTimeStampCounterIsZero)
{
    FakeClock clock(ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x543, 0)), 1000);
    EXPECT_EQ(MeasureClock(2000), 0.0f);
}

struct SpeedCase {
    const char* name;
    std::string file; // a dump file, or
    std::string text; // dump text
    float rawSpeed;
    std::int32_t speed;
};

class ComponentSpeed : public testing::TestWithParam<SpeedCase> {};

TEST_P(ComponentSpeed, FollowsTheVendorAndTheFeatureWord)
{
    const SpeedCase& row = GetParam();
    qv::test::ScopedSystemInfo facts;
    FakeClock clock(row.file.empty() ? ScopedDump::fromText(row.text) : ScopedDump::load(row.file), 867);
    TcxCPU2000 record;
    record.AutoBench().setEnabled(true);
    record.AutoBench().setDelay(2000);
    record.Loaded();
    EXPECT_FLOAT_EQ(record.RawSpeed(), row.rawSpeed);
    EXPECT_EQ(record.Speed(), row.speed);
}

INSTANTIATE_TEST_SUITE_P(
    Vendors, ComponentSpeed,
    testing::Values(SpeedCase{"RecognisedVendorWithTsc", "intel-pentium3-coppermine.txt", "", 862.665f, 866},
                    SpeedCase{"UnknownVendorWithTsc", "",
                              qv::test::dumpText("GenuineTMx86", 0x543, kTscFeature), 862.665f, 866},
                    SpeedCase{"MaximumLeafZeroMeasuresDirectly", "intel-max-leaf-0.txt", "", 862.665f, 866},
                    SpeedCase{"RecognisedIntelWithoutTsc", "intel-486dx4-no-tsc.txt", "", -1.0f, 25},
                    SpeedCase{"RecognisedNexGenWithoutTsc", "nexgen-nx586.txt", "", -1.0f, 25},
                    SpeedCase{"RecognisedUmcWithoutTsc", "umc-u5s.txt", "", -1.0f, 25},
                    SpeedCase{"UnknownVendorWithoutTsc", "transmeta-unknown-vendor.txt", "", 0.0f, 25},
                    SpeedCase{"NoCpuid", "no-cpuid.txt", "", 0.0f, 25}),
    qv::test::RowName());

TEST(ComponentSpeed, WithoutLoadedOrWithAutoBenchDisabledNothingIsMeasured)
{
    FakeClock clock(intelWithTsc(), 867);
    TcxCPU2000 created;
    EXPECT_EQ(created.RawSpeed(), 0.0f);
    EXPECT_EQ(created.Speed(), 0);
    TcxCPU2000 loaded;
    loaded.Loaded();
    EXPECT_EQ(loaded.RawSpeed(), 0.0f);
    EXPECT_EQ(loaded.Speed(), 0);
}

} // namespace

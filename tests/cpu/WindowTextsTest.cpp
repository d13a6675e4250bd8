// The processor window's texts, from records built on recorded dumps and a simulated clock.
#include "cpu/ProcessorWindowTexts.h"
#include "cpu/cxCPU2kVcl.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qv::cpu::FillProcessorWindowTexts;
using qv::cpu::ProcessorWindowTexts;
using qv::cpu::TcxCPU2000;
using qv::test::FakeClock;
using qv::test::ScopedDump;

constexpr std::uint32_t kCoppermineFeatures = 0x0387FBFF;

// The record as the window creates it (AutoBench on, 2000 ms) on a processor ticking at `megahertz`.
ProcessorWindowTexts windowFor(std::shared_ptr<const qv::platform::CpuidSource> source,
                               std::uint64_t megahertz, std::uint32_t granularity = 10)
{
    qv::test::ScopedSystemInfo facts(1, 586);
    FakeClock clock(std::move(source), megahertz, granularity);
    TcxCPU2000 record;
    record.AutoBench().setEnabled(true);
    record.AutoBench().setDelay(2000);
    record.Loaded();
    return FillProcessorWindowTexts(record);
}

struct SuffixCase {
    const char* name;
    std::uint32_t descriptor;
    std::uint64_t megahertz; // measured at 0.995 of this
    const char* title;
    const char* suffix;
};

class SeriesSuffix : public testing::TestWithParam<SuffixCase> {};

TEST_P(SeriesSuffix, DependsOnDescriptor82AndTheNominalSpeed)
{
    const SuffixCase& row = GetParam();
    const ProcessorWindowTexts texts =
        windowFor(ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x683, kCoppermineFeatures,
                                                          {1, 0, 0, row.descriptor})),
                  row.megahertz);
    EXPECT_EQ(texts.TypeProcesseur, QString::fromUtf8(row.title));
    EXPECT_EQ(texts.suffix, QString::fromUtf8(row.suffix));
}

INSTANTIATE_TEST_SUITE_P(
    Coppermine, SeriesSuffix,
    testing::Values(SuffixCase{"Descriptor82At866IsEB", 0x82, 867,
                               "Intel Pentium III (0.18µ) at 866 Mhz série EB", " série EB"},
                    SuffixCase{"Descriptor82At733IsE", 0x82, 736,
                               "Intel Pentium III (0.18µ) at 733 Mhz série E", " série E"},
                    SuffixCase{"Without82At933IsStillEB", 0x43, 937,
                               "Intel Pentium III (0.18µ) at 933 Mhz série EB", " série EB"},
                    SuffixCase{"Without82At733HasNone", 0x43, 736, "Intel Pentium III (0.18µ) at 733 Mhz",
                               ""}),
    qv::test::RowName());

TEST(ProcessorWindow, CoppermineFillsBothPages)
{
    const ProcessorWindowTexts texts = windowFor(ScopedDump::load("intel-pentium3-coppermine.txt"), 867);
    EXPECT_EQ(texts.BusDonnees, QStringLiteral("64 bits"));
    EXPECT_EQ(texts.BusAdresse, QStringLiteral("32 bits"));
    EXPECT_EQ(texts.TailleCacheL1, QStringLiteral("32 Ko"));
    EXPECT_EQ(texts.TypeCacheL1, QStringLiteral("Intégré - Séparé (D/I)"));
    EXPECT_EQ(texts.TailleCacheL2, QStringLiteral("256 Ko"));
    EXPECT_EQ(texts.TypeCacheL2, QStringLiteral("Full speed cache"));
    EXPECT_EQ(texts.TypeSupport, QStringLiteral("Slot 1"));
    ASSERT_TRUE(texts.detailedPage);
    EXPECT_TRUE(texts.Copro && texts.SupportMMX && texts.SupportSIMD);
    EXPECT_FALSE(texts.Support3DNow);
    EXPECT_EQ(texts.Classe, QStringLiteral("P6"));
    EXPECT_EQ(texts.Modele, QStringLiteral("Pentium III (0.18µ)"));
    EXPECT_EQ(texts.Frequence, QStringLiteral("863 Mhz")); // 862.665 measured
    EXPECT_EQ(texts.Marque, QStringLiteral("Intel Corporation"));
    EXPECT_FALSE(texts.OverDrive);
    EXPECT_EQ(texts.FrequenceInterne, QStringLiteral("866 Mhz"));
    EXPECT_EQ(texts.FrequenceExterne, QStringLiteral("133 Mhz"));
    EXPECT_EQ(texts.FrequencePCI, QStringLiteral("33 Mhz"));
}

TEST(ProcessorWindow, Celeron128KUsesItsOwnRowButKeepsItsModelName)
{
    // 301.5 MHz measured: nominal 300, whose family-6 bus is 66 MHz.
    const ProcessorWindowTexts texts = windowFor(ScopedDump::load("intel-celeron-mendocino.txt"), 303);
    EXPECT_EQ(texts.name, QStringLiteral("Celeron 128K"));
    EXPECT_EQ(texts.TypeProcesseur, QStringLiteral("Intel Celeron at 300 Mhz"));
    EXPECT_EQ(texts.Modele, QStringLiteral("Celeron"));
    EXPECT_EQ(texts.TailleCacheL2, QStringLiteral("128 Ko"));
    EXPECT_EQ(texts.TypeCacheL2, QStringLiteral("Intégré sur le processeur"));
    EXPECT_EQ(texts.external, 66);
    EXPECT_EQ(texts.FrequenceExterne, QStringLiteral("66 Mhz"));
}

TEST(ProcessorWindow, ActivationShowsTheNamingStepFullNameNotTheBrand)
{
    const ProcessorWindowTexts texts = windowFor(ScopedDump::load("intel-pentium4-northwood.txt"), 2412);
    // 2399.94 measured: nominal 2260 is 139.94 away, 2530 is 130.06.
    EXPECT_EQ(texts.TypeProcesseur, QStringLiteral("Intel Celeron (core P4) at 2530 Mhz"));
    EXPECT_EQ(texts.BusDonnees, QStringLiteral("?"));
    EXPECT_EQ(texts.TailleCacheL2, QStringLiteral("?"));
    EXPECT_EQ(texts.TypeSupport, QStringLiteral("?"));
    EXPECT_EQ(texts.FrequenceExterne, QStringLiteral("?"));
    EXPECT_EQ(texts.FrequencePCI, QStringLiteral("33 Mhz"));
    EXPECT_EQ(texts.Classe, QStringLiteral("P6"));
}

struct ThreeDNowCase {
    const char* name;
    std::string file;
    bool enabled;
};

class ThreeDNowIndicator : public testing::TestWithParam<ThreeDNowCase> {};

TEST_P(ThreeDNowIndicator, FollowsTheFlagOrTheAmdFamily)
{
    const ProcessorWindowTexts texts = windowFor(ScopedDump::load(GetParam().file), 500);
    EXPECT_EQ(texts.Support3DNow, GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Processors, ThreeDNowIndicator,
                         testing::Values(ThreeDNowCase{"K6_2WithTheFlag", "amd-k6-2.txt", true},
                                         ThreeDNowCase{"AthlonXpWithoutTheFlagIsFamily6",
                                                       "amd-athlon-xp-without-3dnow-bit.txt", true},
                                         ThreeDNowCase{"CurrentAmdIsFamily15", "amd-epyc.txt", true},
                                         ThreeDNowCase{"CyrixWithTheFlag", "cyrix-iii.txt", true},
                                         ThreeDNowCase{"IntelWithout", "intel-pentium3-coppermine.txt",
                                                       false}),
                         qv::test::RowName());

TEST(ProcessorWindow, AmdFamily5WithoutTheFlagHasNo3DNow)
{
    const ProcessorWindowTexts texts =
        windowFor(ScopedDump::fromText(qv::test::dumpText("AuthenticAMD", 0x58C, 0x008021BF)), 500);
    EXPECT_FALSE(texts.Support3DNow);
}

TEST(ProcessorWindow, OverDriveSelectsTheOverDriveType)
{
    const ProcessorWindowTexts texts =
        windowFor(ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x1633, 0x0080FBFF)), 500);
    EXPECT_TRUE(texts.OverDrive);
}

TEST(ProcessorWindow, WithoutTimeStampCounterTheMeasuredFrequencyIsMinusOne)
{
    const ProcessorWindowTexts texts = windowFor(ScopedDump::load("intel-486dx4-no-tsc.txt"), 100);
    EXPECT_EQ(texts.TypeProcesseur, QStringLiteral("Intel 80486DX4 at 25 Mhz"));
    EXPECT_EQ(texts.Frequence, QStringLiteral("-1 Mhz"));
    EXPECT_EQ(texts.Classe, QStringLiteral("80486"));
    EXPECT_EQ(texts.FrequenceExterne, QStringLiteral("25 Mhz")); // family 4 at 25 MHz
    EXPECT_TRUE(texts.Copro);
    EXPECT_FALSE(texts.SupportMMX);
}

TEST(ProcessorWindow, WithoutCpuidOnlyTheGeneralPageIsFilled)
{
    const ProcessorWindowTexts texts = windowFor(ScopedDump::load("no-cpuid.txt"), 500);
    EXPECT_EQ(texts.TypeProcesseur, QStringLiteral("Unknown Pentium class at 25 Mhz"));
    EXPECT_EQ(texts.BusDonnees, QStringLiteral("?"));
    EXPECT_FALSE(texts.detailedPage);
    EXPECT_EQ(texts.Classe, QStringLiteral("?"));
    EXPECT_EQ(texts.Modele, QStringLiteral("?"));
    EXPECT_EQ(texts.external, 0);
    EXPECT_EQ(texts.pci, 0);
    // Nothing has checked the features: the general page's indicators are off.
    EXPECT_FALSE(texts.Copro || texts.SupportMMX || texts.Support3DNow || texts.SupportSIMD);
}

TEST(ProcessorWindow, MeasuredHalvesRoundToEven)
{
    // With 1000 ms tick steps the measurement times 1000 of its 2000 ms: 1731 MHz measures 865.5 and
    // 1733 MHz 866.5; both show 866.
    for (const std::uint64_t megahertz : {1731u, 1733u}) {
        const ProcessorWindowTexts texts =
            windowFor(ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x683, kCoppermineFeatures)),
                      megahertz, 1000);
        EXPECT_EQ(texts.Frequence, QStringLiteral("866 Mhz")) << megahertz;
        EXPECT_EQ(texts.FrequenceInterne, QStringLiteral("866 Mhz")) << megahertz;
    }
}

TEST(ProcessorWindow, ReactivationGivesTheSameTexts)
{
    qv::test::ScopedSystemInfo facts;
    FakeClock clock(ScopedDump::load("amd-athlon-thunderbird.txt"), 1203);
    TcxCPU2000 record;
    record.AutoBench().setEnabled(true);
    record.AutoBench().setDelay(2000);
    record.Loaded();
    const ProcessorWindowTexts first = FillProcessorWindowTexts(record);
    const ProcessorWindowTexts second = FillProcessorWindowTexts(record);
    EXPECT_EQ(first.TypeProcesseur, QStringLiteral("AMD Athlon Thunderbird at 1200 Mhz"));
    EXPECT_EQ(second.TypeProcesseur, first.TypeProcesseur);
    EXPECT_EQ(second.Frequence, first.Frequence);
    EXPECT_EQ(second.FrequenceExterne, QStringLiteral("200 Mhz"));
}

} // namespace

// The detection record built from recorded dumps of processors of every vendor, with the clock left
// alone (as "--no-clock" does). The expected values come from the dumps' registers and the naming and
// cache rules, worked out by hand.
#include "cpu/cxCPU2kVcl.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QVariant>
#include <gtest/gtest.h>

#include <string>

namespace {

using qv::cpu::TcxCPU2000;
using qv::test::visible;

QString zeros(int count)
{
    return QString(count, QChar(u'\0'));
}

struct RecordCase {
    const char* name;
    std::string dump;
    bool available;
    std::int32_t maxLevel;
    std::int32_t maxLevelEx;
    const char* vendorID;
    std::int32_t signature;
    std::int32_t type, family, model, stepping;
    std::int32_t featureSet;
    std::int32_t featureSetEx;
    const char* vendor;
    QString cpu;
    QString fullName; // after Loaded
    const char* serial;
    bool mmx, overDrive;
    bool amd3DNow, amd3DNowEx, mmxEx;
    std::int32_t l1Data, l1Code, level1, level2;
};

const QString kPentium3E = QStringLiteral("Pentium III (0.18µ)");

const RecordCase kRecords[] = {
    {"IntelPentiumMmx",
     "intel-pentium-mmx.txt",
     true,
     1,
     0,
     "GenuineIntel",
     0x543,
     0,
     5,
     4,
     3,
     8389055,
     0,
     "Intel Corporation",
     "Pentium MMX",
     "Intel Pentium MMX",
     "",
     true,
     false,
     false,
     false,
     false,
     0,
     0,
     0,
     0},
    {"IntelCoppermineWithSerial",
     "intel-pentium3-coppermine.txt",
     true,
     3,
     0,
     "GenuineIntel",
     0x683,
     0,
     6,
     8,
     3,
     59243519,
     0,
     "Intel Corporation",
     kPentium3E,
     "Intel " + kPentium3E,
     "0000-0683-0123-4567-89AB-CDEF",
     true,
     false,
     false,
     false,
     false,
     16,
     16,
     0,
     256},
    {"IntelNorthwoodWithLeadingSpacesInItsBrand",
     "intel-pentium4-northwood.txt",
     true,
     2,
     4,
     "GenuineIntel",
     0xF27,
     0,
     15,
     2,
     7,
     -1075053569,
     0,
     "Intel Corporation",
     "Celeron (core P4)",
     QString(14, QChar(u' ')) + "Intel(R) Pentium(R) 4 CPU 2.40GHz" + zeros(1),
     "",
     true,
     false,
     false,
     false,
     false,
     0,
     0,
     0,
     0},
    {"IntelMendocinoCeleron",
     "intel-celeron-mendocino.txt",
     true,
     2,
     0,
     "GenuineIntel",
     0x665,
     0,
     6,
     6,
     5,
     8453119,
     0,
     "Intel Corporation",
     "Celeron",
     "Intel Celeron",
     "",
     true,
     false,
     false,
     false,
     false,
     16,
     16,
     0,
     128},
    {"Intel486WithoutTsc",
     "intel-486dx4-no-tsc.txt",
     true,
     1,
     0,
     "GenuineIntel",
     0x480,
     0,
     4,
     8,
     0,
     3,
     0,
     "Intel Corporation",
     "80486DX4",
     "Intel 80486DX4",
     "",
     false,
     false,
     false,
     false,
     false,
     0,
     0,
     0,
     0},
    {"KatmaiWhoseExtendedMaximumIsNoExtendedLeaf",
     "intel-pentium3-katmai-no-extended-leaf.txt",
     true,
     3,
     50462977,
     "GenuineIntel",
     0x672,
     0,
     6,
     7,
     2,
     59243519,
     0,
     "Intel Corporation",
     "Pentium III",
     "Intel Pentium III",
     "0000-0672-0000-5678-1234-ABCD",
     true,
     false,
     false,
     false,
     false,
     16,
     16,
     0,
     512},
    {"MaximumStandardLeafZeroKeepsTheNamesEmpty",
     "intel-max-leaf-0.txt",
     true,
     0,
     0,
     "GenuineIntel",
     0x543,
     0,
     5,
     4,
     3,
     8389055,
     0,
     "",
     "",
     "hehe",
     "",
     true,
     false,
     false,
     false,
     false,
     0,
     0,
     0,
     0},
    {"AmdK6_2BrandPaddedWithZeros",
     "amd-k6-2.txt",
     true,
     1,
     5,
     "AuthenticAMD",
     0x58C,
     0,
     5,
     8,
     12,
     8397247,
     -2139084353,
     "Advanced Micro Devices",
     "K6-2",
     "AMD-K6(tm) 3D processor" + zeros(25),
     "",
     true,
     false,
     true,
     false,
     false,
     0,
     0,
     0,
     0},
    {"AmdThunderbird",
     "amd-athlon-thunderbird.txt",
     true,
     1,
     6,
     "AuthenticAMD",
     0x644,
     0,
     6,
     4,
     4,
     25426431,
     -1044121089,
     "Advanced Micro Devices",
     "Athlon Thunderbird",
     "AMD Athlon(tm) Processor" + zeros(24),
     "",
     true,
     false,
     true,
     true,
     true,
     64,
     64,
     0,
     256},
    {"AthlonXpGetsNo3DNowOverride",
     "amd-athlon-xp-without-3dnow-bit.txt",
     true,
     1,
     6,
     "AuthenticAMD",
     0x662,
     0,
     6,
     6,
     2,
     58981375,
     4194304,
     "Advanced Micro Devices",
     "Athlon XP",
     "AMD Athlon(tm) XP 1800+" + zeros(25),
     "",
     true,
     false,
     false,
     false,
     true,
     64,
     64,
     0,
     256},
    {"AmdFamilyFifteenIsNamedAfterTheCompany",
     "amd-epyc.txt",
     true,
     16,
     8,
     "AuthenticAMD",
     0x00830F10,
     0,
     15,
     1,
     0,
     395049983,
     802421759,
     "Advanced Micro Devices",
     "Advanced Micro Devices",
     "AMD EPYC 7B12 64-Core Processor" + QString(16, QChar(u' ')) + zeros(1),
     "",
     true,
     false,
     false,
     false,
     true,
     32,
     32,
     0,
     512},
    {"Cyrix6x86MX",
     "cyrix-6x86mx.txt",
     true,
     1,
     0,
     "CyrixInstead",
     0x600,
     0,
     6,
     0,
     0,
     8429877,
     0,
     "Cyrix Corporation",
     "6x86MX",
     "Cyrix 6x86MX",
     "",
     true,
     false,
     false,
     false,
     false,
     0,
     0,
     0,
     0},
    {"CyrixReadsItsCacheLeavesAsDescriptors",
     "cyrix-iii.txt",
     true,
     1,
     6,
     "CyrixInstead",
     0x652,
     0,
     6,
     5,
     2,
     8429877,
     -2130706432,
     "Cyrix Corporation",
     "M2 Class",
     "Cyrix III" + zeros(39),
     "",
     true,
     false,
     true,
     false,
     true,
     16,
     16,
     16,
     256},
    {"IdtWinChip",
     "idt-winchip-c6.txt",
     true,
     1,
     0,
     "CentaurHauls",
     0x541,
     0,
     5,
     4,
     1,
     8388789,
     0,
     "IDT/Centaur",
     "C6",
     "IDT C6",
     "",
     true,
     false,
     false,
     false,
     false,
     0,
     0,
     0,
     0},
    {"IdtFamilySixIsNamedAfterTheCompany",
     "idt-via-c3.txt",
     true,
     1,
     6,
     "CentaurHauls",
     0x673,
     0,
     6,
     7,
     3,
     8400949,
     -2147483648,
     "IDT/Centaur",
     "IDT/Centaur",
     "VIA Samuel 2" + zeros(36),
     "",
     true,
     false,
     true,
     false,
     false,
     64,
     64,
     16,
     64},
    {"NexGen", "nexgen-nx586.txt",
     true,     1,
     0,        "NexGenDriven",
     0x502,    0,
     5,        0,
     2,        0,
     0,        "NexGen Inc",
     "Nx586",  "NexGen Nx586",
     "",       false,
     false,    false,
     false,    false,
     0,        0,
     0,        0},
    {"Umc", "umc-u5s.txt",
     true,  1,
     0,     "UMC UMC UMC ",
     0x423, 0,
     4,     2,
     3,     1,
     0,     "United Microelectronics Corp",
     "U5S", "UMC U5S",
     "",    false,
     false, false,
     false, false,
     0,     0,
     0,     0},
    {"Rise", "rise-mp6.txt",
     true,   1,
     0,      "RiseRiseRise",
     0x521,  0,
     5,      2,
     1,      8388893,
     0,      "Rise Technology",
     "mP6",  "Rise mP6",
     "",     true,
     false,  false,
     false,  false,
     0,      0,
     0,      0},
    {"UnknownVendorTakesTheSystemClass",
     "transmeta-unknown-vendor.txt",
     true,
     1,
     0,
     "GenuineTMx86",
     0x543,
     0,
     5,
     4,
     3,
     1,
     0,
     "Unknown Vendor",
     "Pentium class",
     "Unknown Pentium class",
     "",
     false,
     false,
     false,
     false,
     false,
     0,
     0,
     0,
     0},
    {"NoCpuid",
     "no-cpuid.txt",
     false,
     0,
     0,
     "Unknown",
     0,
     0,
     0,
     0,
     0,
     0,
     0,
     "Unknown Vendor",
     "Pentium class",
     "Unknown Pentium class",
     "",
     false,
     false,
     false,
     false,
     false,
     0,
     0,
     0,
     0},
};

class DetectionRecord : public testing::TestWithParam<RecordCase> {};

TEST_P(DetectionRecord, MatchesTheDump)
{
    const RecordCase& expected = GetParam();
    qv::test::ScopedSystemInfo facts(2, 586);
    qv::test::ScopedDump dump(qv::test::ScopedDump::load(expected.dump));

    TcxCPU2000 record;
    record.Loaded(); // AutoBench stays disabled: no clock

    EXPECT_EQ(record.CPUID().Available(), expected.available);
    EXPECT_EQ(record.CPUID().MaxLevel(), expected.maxLevel);
    EXPECT_EQ(record.CPUID().MaxLevelEx(), expected.maxLevelEx);
    const auto& info = record.InternalResults();
    EXPECT_EQ(info.VendorID(), QString::fromLatin1(expected.vendorID));
    EXPECT_EQ(info.Signature(), expected.signature);
    EXPECT_EQ(info.cpuType(), expected.type);
    EXPECT_EQ(info.cpuFamily(), expected.family);
    EXPECT_EQ(info.cpuModel(), expected.model);
    EXPECT_EQ(info.cpuStepping(), expected.stepping);
    EXPECT_EQ(info.FeatureSet(), expected.featureSet);
    EXPECT_EQ(info.FeatureSetEx(), expected.featureSetEx);
    EXPECT_EQ(record.Vendor(), QString::fromUtf8(expected.vendor));
    EXPECT_EQ(record.CPU(), expected.cpu);
    EXPECT_EQ(visible(record.FullName()), visible(expected.fullName));
    EXPECT_EQ(record.Serial(), QString::fromLatin1(expected.serial));
    EXPECT_EQ(record.MMX(), expected.mmx);
    EXPECT_EQ(record.OverDrive(), expected.overDrive);
    EXPECT_EQ(record.FeatureSetEx().AMD3DNow(), expected.amd3DNow);
    EXPECT_EQ(record.FeatureSetEx().AMD3DNowEx(), expected.amd3DNowEx);
    EXPECT_EQ(record.FeatureSetEx().MMXEx(), expected.mmxEx);
    EXPECT_EQ(record.Cache().L1Data(), expected.l1Data);
    EXPECT_EQ(record.Cache().L1Code(), expected.l1Code);
    EXPECT_EQ(record.Cache().Level1(), expected.level1);
    EXPECT_EQ(record.Cache().Level2(), expected.level2);
    EXPECT_EQ(record.Count(), 2);
    EXPECT_FALSE(record.FDivBug());
    EXPECT_EQ(record.Speed(), 0);
    EXPECT_EQ(record.RawSpeed(), 0.0f);
}

INSTANTIATE_TEST_SUITE_P(Dumps, DetectionRecord, testing::ValuesIn(kRecords), qv::test::RowName());

TEST(DetectionRecord, FeatureFlagsFollowTheirBits)
{
    // 0xBFEBFBFF: every flag but SERIAL (bit 18) is set; bits 10 and 19 to 22 have no flag.
    qv::test::ScopedDump dump(qv::test::ScopedDump::load("intel-pentium4-northwood.txt"));
    const TcxCPU2000 record;
    const auto& flags = record.FeatureSet();
    for (const auto& flag : qv::cpu::TcxFeatureSet::Flags)
        EXPECT_EQ(flags.has(flag.bit), flag.bit != 18) << flag.name;
    EXPECT_TRUE(flags.FPU() && flags.TSC() && flags.APIC() && flags.SEP() && flags.PSE36() && flags.XSR());
    EXPECT_FALSE(flags.SERIAL());
    EXPECT_TRUE(flags.MMX() && flags.SIMD());
}

TEST(DetectionRecord, AFeatureWordWithOnlyUnnamedBitsSetsNoFlag)
{
    qv::test::ScopedDump dump(
        qv::test::ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x633, (1u << 10) | (0xFu << 19))));
    const TcxCPU2000 record;
    for (const auto& flag : qv::cpu::TcxFeatureSet::Flags)
        EXPECT_FALSE(record.FeatureSet().has(flag.bit)) << flag.name;
}

TEST(DetectionRecord, OverDriveComesFromTheTypeField)
{
    // Type 1 (bits 13..12) with family 6 model 3: the OverDrive Pentium II.
    qv::test::ScopedDump dump(qv::test::ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x1633, 0)));
    const TcxCPU2000 record;
    EXPECT_TRUE(record.OverDrive());
    EXPECT_EQ(record.InternalResults().cpuType(), 1);
    EXPECT_EQ(record.CPU(), QStringLiteral("Pentium II Overdrive"));
}

TEST(DetectionRecord, ModelEightWithoutTheSerialFeatureHasNoSerial)
{
    qv::test::ScopedDump dump(
        qv::test::ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x683, 0x0080FBFF)));
    EXPECT_EQ(TcxCPU2000().Serial(), QString());
}

TEST(DetectionRecord, ModelBelowSevenHasNoSerialEvenWithTheFeature)
{
    qv::test::ScopedDump dump(
        qv::test::ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x665, 1u << 18)));
    EXPECT_EQ(TcxCPU2000().Serial(), QString());
}

TEST(DetectionRecord, IdentifyProcessorReplacesTheBrandString)
{
    qv::test::ScopedDump dump(qv::test::ScopedDump::load("amd-athlon-thunderbird.txt"));
    TcxCPU2000 record;
    record.Loaded();
    ASSERT_TRUE(record.FullName().startsWith(QStringLiteral("AMD Athlon(tm)")));
    record.IdentifyProcessor();
    EXPECT_EQ(record.FullName(), QStringLiteral("AMD Athlon Thunderbird"));
}

TEST(DetectionRecord, WritesToDetectedPropertiesAreIgnored)
{
    qv::test::ScopedDump dump(qv::test::ScopedDump::load("intel-pentium-mmx.txt"));
    TcxCPU2000 record;
    EXPECT_TRUE(record.setProperty("CPU", QStringLiteral("Changed")));
    EXPECT_TRUE(record.setProperty("Speed", 1234));
    EXPECT_EQ(record.CPU(), QStringLiteral("Pentium MMX"));
    EXPECT_EQ(record.property("Speed").toInt(), 0);
}

TEST(DetectionRecord, AutoBenchAndVersionRecordsStartAsDescribed)
{
    qv::test::ScopedDump dump(qv::test::ScopedDump::load("no-cpuid.txt"));
    const TcxCPU2000 record;
    EXPECT_FALSE(record.AutoBench().Enabled());
    EXPECT_EQ(record.AutoBench().Delay(), 1000);
    const auto& api = record.VersionInfo().API();
    const auto& vcl = record.VersionInfo().VCL();
    EXPECT_EQ(api.Version(), 1.0f);
    EXPECT_EQ(api.Build(), 18);
    EXPECT_EQ(vcl.Version(), 4.0f);
    EXPECT_EQ(vcl.Build(), 21);
    EXPECT_EQ(qv::cpu::BuildStatusText(vcl.Status()), QStringLiteral("Alpha"));
    EXPECT_EQ(qv::cpu::ReleaseStatusText(api.Release()), QStringLiteral("Private"));
    EXPECT_TRUE(api.Copyright().isEmpty() && vcl.Product().isEmpty());
}

} // namespace

#include "cpu/cxCPU2kVcl.h"
#include "cpu/cxcpu2kAPI.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace qv::cpu;
using qv::platform::CpuidRegisters;

struct SpeedCase {
    const char* name;
    float raw;
    std::int32_t nominal;
};

class NominalSpeed : public testing::TestWithParam<SpeedCase> {};

TEST_P(NominalSpeed, IsTheNearestTableEntry)
{
    EXPECT_EQ(NearestNominalSpeed(GetParam().raw), GetParam().nominal);
}

INSTANTIATE_TEST_SUITE_P(Table, NominalSpeed,
                         testing::Values(SpeedCase{"TieGoesToThe866ThatStandsBefore850", 858.0f, 866},
                                         SpeedCase{"JustBelowTheTieIs850", 857.9f, 850},
                                         SpeedCase{"Between1100And1130", 1150.0f, 1130},
                                         SpeedCase{"Between2260And2530", 2400.0f, 2530},
                                         SpeedCase{"AboveTheTable", 3200.0f, 2800},
                                         SpeedCase{"Zero", 0.0f, 25}, SpeedCase{"MinusOne", -1.0f, 25},
                                         SpeedCase{"MeasuredLowCoppermine", 862.665f, 866},
                                         SpeedCase{"ExactEntry", 733.0f, 733},
                                         SpeedCase{"TieBetween25And33GoesTo25", 29.0f, 25}),
                         qv::test::RowName());

struct DescriptorCase {
    const char* name;
    CpuidRegisters registers;
    std::int32_t l1Data, l1Code, l1Unified, l2;
};

class DescriptorSearch : public testing::TestWithParam<DescriptorCase> {};

TEST_P(DescriptorSearch, StopsAtTheFirstKnownByte)
{
    const TDescriptorBytes bytes = DescriptorBytes(GetParam().registers);
    EXPECT_EQ(DecodeL1Data(bytes), GetParam().l1Data);
    EXPECT_EQ(DecodeL1Code(bytes), GetParam().l1Code);
    EXPECT_EQ(DecodeL1Unified(bytes), GetParam().l1Unified);
    EXPECT_EQ(DecodeL2(bytes), GetParam().l2);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, DescriptorSearch,
    testing::Values(
        DescriptorCase{"PentiumIIIWith512K", {0x03020101, 0, 0, 0x0C040843}, 16, 16, 0, 512},
        DescriptorCase{"NoCacheMarkerBefore512KGivesZero", {0x03020101, 0, 0, 0x0C044340}, 16, 0, 0, 0},
        DescriptorCase{"512KBeforeNoCacheMarkerGives512", {0x03020101, 0, 0, 0x0C044043}, 16, 0, 0, 512},
        DescriptorCase{"SmallCachesAndTwoMegabytes", {0x0001, 0, 0x00000A06, 0x45}, 8, 8, 0, 2048},
        DescriptorCase{"Descriptor82Is256", {0x82000001, 0, 0, 0}, 0, 0, 0, 256},
        DescriptorCase{"Descriptor81IsUnknownHere", {0x81000001, 0, 0, 0}, 0, 0, 0, 0},
        DescriptorCase{"UnifiedFirstLevel", {0x00800001, 0, 0, 0x44}, 0, 0, 16, 1024},
        DescriptorCase{"CountByteTakesPartInTheSearch", {0x0000000A, 0, 0, 0x42}, 8, 0, 0, 256},
        DescriptorCase{"Bit31IsNotExamined", {0x80000001, 0x8000000C, 0, 0x41}, 16, 0, 16, 128},
        DescriptorCase{"NorthwoodDescriptorsGiveNoSecondLevel", {0x665B5001, 0, 0, 0x007B7040}, 0, 0, 0, 0}),
    qv::test::RowName());

TEST(DescriptorBytes, FollowRegisterOrderLowestByteFirst)
{
    const TDescriptorBytes bytes = DescriptorBytes({0x04030201, 0x08070605, 0x0C0B0A09, 0xF0EFEE0D});
    const TDescriptorBytes expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0xEE, 0xEF, 0xF0};
    EXPECT_EQ(bytes, expected);
}

TEST(RegisterToText, KeepsZeroBytesAsCharacters)
{
    EXPECT_EQ(RegisterToText(0x6C65746E), QStringLiteral("ntel"));
    const QString text = RegisterToText(0x00410042);
    ASSERT_EQ(text.size(), 4);
    EXPECT_EQ(text, QString(QChar(u'B')) + QChar(u'\0') + QChar(u'A') + QChar(u'\0'));
    EXPECT_EQ(RegisterToText(0xE9), QString(QChar(u'é')) + QString(3, QChar(u'\0')));
}

TEST(Signature, FieldsAreTheDocumentedBitRanges)
{
    const std::int32_t signature = 0x3ABCD; // type 2 (bits 13..12 of 0xABCD), family 11, model 12, step 13
    EXPECT_EQ(SignatureType(signature), 2);
    EXPECT_EQ(SignatureFamily(signature), 0xB);
    EXPECT_EQ(SignatureModel(signature), 0xC);
    EXPECT_EQ(SignatureStepping(signature), 0xD);
    EXPECT_EQ(SignatureType(0x1000), 1);
    EXPECT_EQ(SignatureFamily(0x00830F10), 15) << "the extended family field is not read";
}

TEST(TestBit, CoversTheWholeWord)
{
    EXPECT_TRUE(TestBit(0x80000000u, 31));
    EXPECT_FALSE(TestBit(0x7FFFFFFFu, 31));
    EXPECT_TRUE(TestBit(1u, 0));
    EXPECT_FALSE(TestBit(0xFFFFFFFFu, 32));
}

TEST(Cpuid, MaxLevelExClearsBit31)
{
    qv::test::ScopedDump dump(qv::test::ScopedDump::fromText("CPUID 00000000: 00000001-0-0-0\n"
                                                             "CPUID 80000000: 80000008-0-0-0\n"));
    EXPECT_EQ(GetMaxLevelEx(), 0x80000008u);
    EXPECT_EQ(TcxCPUID().MaxLevelEx(), 8);
}

TEST(Cpuid, WithoutCpuidEveryReaderFallsBack)
{
    qv::test::ScopedDump dump(qv::test::ScopedDump::fromText("no CPUID line here\n"));
    EXPECT_FALSE(CPUIDAvailable());
    EXPECT_EQ(GetVendorString(), QStringLiteral("Unknown"));
    EXPECT_EQ(GetMaxLevel(), 0);
    EXPECT_EQ(GetSignature(), 0);
    EXPECT_EQ(GetFeatureFlags(), 0u);
    EXPECT_EQ(GetBrandString(), QString());
    EXPECT_EQ(GetSerialNumber(), QString());
    EXPECT_EQ(GetCacheDescriptors(), CpuidRegisters{});
    EXPECT_FALSE(IsOverDrive());
}

TEST(Cpuid, UmcVendorStringNeedsItsTrailingSpace)
{
    struct Row {
        const char* vendor;
        int index;
    };
    const Row rows[] = {{"GenuineIntel", 1}, {"AuthenticAMD", 2}, {"CyrixInstead", 3}, {"CentaurHauls", 4},
                        {"NexGenDriven", 5}, {"UMC UMC UMC ", 6}, {"RiseRiseRise", 7}, {"UMC UMC UMCX", 0},
                        {"genuineintel", 0}, {"GenuineTMx86", 0}};
    for (const Row& row : rows) {
        qv::test::ScopedDump dump(qv::test::ScopedDump::fromText(qv::test::dumpText(row.vendor, 0x543, 0)));
        EXPECT_EQ(TcxCPU2000::GetVendorIndex(), row.index) << row.vendor;
    }
    // Without the trailing space the last register holds a zero byte.
    qv::test::ScopedDump dump(
        qv::test::ScopedDump::fromText("CPUID 00000000: 00000001-20434D55-00434D55-20434D55\n"));
    EXPECT_EQ(TcxCPU2000::GetVendorIndex(), 0);
}

// A processor whose leaf 2 answers differently on each execution, as the count byte announces.
class SequencedLeaf2 final : public qv::platform::CpuidSource {
public:
    explicit SequencedLeaf2(std::vector<CpuidRegisters> answers)
        : m_answers(std::move(answers))
    {
    }
    bool identificationFlagToggles() const override { return true; }
    CpuidRegisters execute(std::uint32_t leaf) const override
    {
        if (leaf != 2)
            return {};
        const CpuidRegisters answer = m_answers[std::min(m_next, m_answers.size() - 1)];
        ++m_next;
        return answer;
    }
    std::uint64_t readTimeStampCounter() const override { return 0; }
    std::size_t executions() const { return m_next; }

private:
    std::vector<CpuidRegisters> m_answers;
    mutable std::size_t m_next = 0;
};

TEST(CacheDescriptors, LeafTwoRunsAsOftenAsTheCountByteSays)
{
    auto source = std::make_shared<SequencedLeaf2>(std::vector<CpuidRegisters>{
        {0x03, 0, 0, 0x41}, {0x03, 0, 0, 0x42}, {0x03, 0, 0, 0x43}, {0x03, 0, 0, 0x44}});
    qv::platform::ScopedCpuidSource scope(source);
    EXPECT_EQ(GetCacheDescriptors(), (CpuidRegisters{0x03, 0, 0, 0x43}));
    EXPECT_EQ(source->executions(), 3u);
}

TEST(CacheDescriptors, ACountOfOneOrZeroRunsLeafTwoOnce)
{
    for (const std::uint32_t count : {0u, 1u}) {
        auto source = std::make_shared<SequencedLeaf2>(std::vector<CpuidRegisters>{{count, 0, 0, 0x41}, {}});
        qv::platform::ScopedCpuidSource scope(source);
        EXPECT_EQ(GetCacheDescriptors().edx, 0x41u);
        EXPECT_EQ(source->executions(), 1u);
    }
}

TEST(SerialNumber, IsSixGroupsOfFourUpperCaseDigits)
{
    qv::test::ScopedDump dump(qv::test::ScopedDump::fromText("CPUID 00000000: 00000003-0-0-0\n"
                                                             "CPUID 00000001: 00000683-0-0-00040000\n"
                                                             "CPUID 00000003: 0-0-0000beef-DEADBEEF\n"));
    EXPECT_EQ(GetSerialNumber(), QStringLiteral("0000-0683-DEAD-BEEF-0000-BEEF"));
    EXPECT_EQ(GetSerialNumber().size(), 29);
}

TEST(DivisionTest, ACorrectDividerHasNoBug)
{
    EXPECT_FALSE(HasFDivBug());
}

TEST(ExtendedLeaves, ASmallMaximumReportsNone)
{
    qv::test::ScopedDump dump(qv::test::ScopedDump::load("intel-pentium3-katmai-no-extended-leaf.txt"));
    EXPECT_FALSE(ReportsExtendedLeaf(0x80000001));
    EXPECT_EQ(GetExtFeatureFlags(), 0u);
    EXPECT_EQ(GetBrandString(), QString());
}

} // namespace

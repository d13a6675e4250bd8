#include "cpu/Characteristics.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace qv::cpu;
using qv::test::ScopedDump;

// A processor whose leaf 2 holds the given registers.
std::shared_ptr<const qv::platform::CpuidSource> leaf2(std::uint32_t eax, std::uint32_t edx)
{
    return ScopedDump::fromText(qv::test::dumpText("GenuineIntel", 0x683, 0, {eax, 0, 0, edx}));
}

struct DllCase {
    const char* name;
    std::uint32_t eax, edx;
    std::int32_t l2;
    bool has82;
};

class DllDescriptorSearch : public testing::TestWithParam<DllCase> {};

TEST_P(DllDescriptorSearch, FindsTheFirstSecondLevelCode)
{
    ScopedDump dump(leaf2(GetParam().eax, GetParam().edx));
    EXPECT_EQ(DllL2CacheSize(), GetParam().l2);
    EXPECT_EQ(DllHasDescriptor82(), GetParam().has82);
    EXPECT_EQ(HasSuffixE(), GetParam().has82);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, DllDescriptorSearch,
    testing::Values(DllCase{"Descriptor43Is512", 0x03020101, 0x0C040843, 512, false},
                    DllCase{"Descriptor82Is256", 0x03020101, 0x0C040882, 256, true},
                    DllCase{"Descriptor41Is128", 0x03020101, 0x0C040841, 128, false},
                    DllCase{"Descriptor81Is128Here", 0x03020101, 0x0C040881, 128, false},
                    DllCase{"Descriptor40Before43IsZero", 0x03020101, 0x0C044340, 0, false},
                    DllCase{"Descriptor43Before40Is512", 0x03020101, 0x0C044043, 512, false},
                    DllCase{"Descriptor44Is1024", 0x00000001, 0x44, 1024, false},
                    DllCase{"Descriptor45Is2048", 0x00000001, 0x45, 2048, false},
                    DllCase{"Descriptor42Is256", 0x00000001, 0x42, 256, false},
                    DllCase{"NoKnownCodeIsMinusOne", 0x03020101, 0x0C040800, -1, false},
                    DllCase{"Descriptor82AfterAnEarlierCode", 0x03020101, 0x0C048241, 128, true}),
    qv::test::RowName());

TEST(DllDescriptors, BytesFollowTheFourFunctionsLowestFirst)
{
    ScopedDump dump(ScopedDump::fromText("CPUID 00000002: 04030201-08070605-0C0B0A09-100F0E0D\n"));
    ReadDllDescriptors();
    const TDllDescriptors expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EXPECT_EQ(DllDescriptors(), expected);
}

TEST(DllDescriptors, EveryReadIsFresh)
{
    {
        ScopedDump first(leaf2(0x01, 0x43));
        ASSERT_EQ(DllL2CacheSize(), 512);
    }
    ScopedDump second(leaf2(0x01, 0x41));
    EXPECT_EQ(DllL2CacheSize(), 128);
}

struct CeleronCase {
    const char* name;
    const char* model;
    std::uint32_t descriptor;
    const char* refined;
};

class CeleronRefinement : public testing::TestWithParam<CeleronCase> {};

TEST_P(CeleronRefinement, OnlyACeleronWith128KChanges)
{
    ScopedDump dump(leaf2(0x01, GetParam().descriptor));
    EXPECT_EQ(RefineCeleronName(QString::fromUtf8(GetParam().model)), QString::fromUtf8(GetParam().refined));
}

INSTANTIATE_TEST_SUITE_P(
    Names, CeleronRefinement,
    testing::Values(CeleronCase{"CeleronWithoutCacheStays", "Celeron", 0x40, "Celeron"},
                    CeleronCase{"CeleronWith128KBecomesCeleron128K", "Celeron", 0x41, "Celeron 128K"},
                    CeleronCase{"CeleronWith81Becomes128K", "Celeron", 0x81, "Celeron 128K"},
                    CeleronCase{"CeleronWith512Stays", "Celeron", 0x43, "Celeron"},
                    CeleronCase{"CeleronWithNoKnownCodeStays", "Celeron", 0x00, "Celeron"},
                    CeleronCase{"CeleronIIIsNotRefined", "Celeron II", 0x41, "Celeron II"},
                    CeleronCase{"MobileCeleronIsNotRefined", "Mobile Celeron", 0x41, "Mobile Celeron"}),
    qv::test::RowName());

struct LinesCase {
    const char* name;
    const char* model;
    std::uint32_t descriptor;
    const char* dataBus;
    const char* addressBus;
    const char* l1Size;
    const char* l1Kind;
    const char* l2Size;
    const char* l2Kind;
    const char* socket;
};

class CharacteristicLines : public testing::TestWithParam<LinesCase> {};

TEST_P(CharacteristicLines, ComeFromTheTableRow)
{
    const LinesCase& row = GetParam();
    ScopedDump dump(leaf2(0x01, row.descriptor));
    const QString name = QString::fromUtf8(row.model);
    EXPECT_EQ(DataBusText(name), QString::fromUtf8(row.dataBus));
    EXPECT_EQ(AddressBusText(name), QString::fromUtf8(row.addressBus));
    EXPECT_EQ(L1SizeText(name), QString::fromUtf8(row.l1Size));
    EXPECT_EQ(L1KindText(name), QString::fromUtf8(row.l1Kind));
    EXPECT_EQ(L2SizeText(name), QString::fromUtf8(row.l2Size));
    EXPECT_EQ(L2KindText(name), QString::fromUtf8(row.l2Kind));
    EXPECT_EQ(SocketText(name), QString::fromUtf8(row.socket));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CharacteristicLines,
    testing::Values(
        LinesCase{"I386HasNoStatedFirstLevelSize", "386", 0, "32 bits", "32 bits", "?",
                  "Externe (sur carte mère)", "0 Ko", "pas de cache", "Spécifique 386"},
        LinesCase{"I486HasABoardDependentCache", "486", 0, "32 bits", "32 bits", "8 Ko",
                  "Intégré - Mixte (D+I)", "Variable", "Externe (sur carte mère)", "Socket 3"},
        LinesCase{"PentiumIIIWith512KDescriptor", "Pentium III", 0x43, "64 bits", "32 bits", "32 Ko",
                  "Intégré - Séparé (D/I)", "512 Ko", "Intégré sur le processeur", "Slot 1"},
        LinesCase{"PentiumIIIWithoutKnownDescriptorShowsMinusOne", "Pentium III", 0x00, "64 bits", "32 bits",
                  "32 Ko", "Intégré - Séparé (D/I)", "-1 Ko", "Intégré sur le processeur", "Slot 1"},
        LinesCase{"PentiumProSizeComesFromTheDescriptors", "Pentium Pro", 0x42, "64 bits", "32 bits", "16 Ko",
                  "Intégré - Séparé (D/I)", "256 Ko", "Externe (sur carte mère)", "Spécifique PPro"},
        LinesCase{"Celeron128K", "Celeron 128K", 0x41, "64 bits", "32 bits", "32 Ko",
                  "Intégré - Séparé (D/I)", "128 Ko", "Intégré sur le processeur", "Slot 1"},
        LinesCase{"AthlonSizeComesFromTheTable", "Athlon", 0x43, "64 bits", "32 bits", "128 Ko",
                  "Intégré - Mixte (D+I)", "512 Ko", "Intégré sur le processeur", "Socket A (slot A)"},
        LinesCase{"Duron", "Duron", 0, "32 bits", "32 bits", "128 Ko", "Intégré - Mixte (D+I)", "64 Ko",
                  "Full speed cache", "Socket A"},
        LinesCase{"Pentium4", "Pentium 4", 0, "64 bits", "32 bits", "20 Ko", "12Ko instruction / 8Ko données",
                  "256 Ko", "Full speed cache", "Socket 423"},
        LinesCase{"K5Model1", "K5 (Model 1)", 0, "32 bits", "32 bits", "24 Ko",
                  "8Ko instruction / 16Ko données", "Variable", "Externe (sur carte mère)", "Socket 7"},
        LinesCase{"K6_III", "K6-III", 0, "32 bits", "32 bits", "64 Ko", "Intégré - Mixte (D+I)", "Variable",
                  "Externe (sur carte mère)", "SuperSocket 7"},
        LinesCase{"MediaGX", "Media GX", 0, "32 bits", "32 bits", "16 Ko", "Intégré - Mixte (D+I)",
                  "Variable", "Externe (sur carte mère)", "Spécifique MediaGX"},
        LinesCase{"PentiumIIOverdriveHasNoRowDespiteDescriptorSizing", "Pentium II Overdrive", 0x43, "?", "?",
                  "?", "?", "?", "?", "?"},
        LinesCase{"LowerCase486ClassHasNoRow", "486 class", 0, "?", "?", "?", "?", "?", "?", "?"},
        LinesCase{"Row486ClassItselfIsFound", "486 Class", 0, "32 bits", "32 bits", "8 Ko",
                  "Intégré - Mixte (D+I)", "Variable", "Externe (sur carte mère)", "Socket 3"},
        LinesCase{"CaseMatters", "athlon", 0, "?", "?", "?", "?", "?", "?", "?"},
        LinesCase{"EmptyName", "", 0, "?", "?", "?", "?", "?", "?", "?"}),
    qv::test::RowName());

TEST(CPUInfoTable, HoldsThirtySevenRowsWithoutUnstatedKinds)
{
    ASSERT_EQ(CPUInfoTable.size(), 37u);
    EXPECT_STREQ(CPUInfoTable.front().Name, "386");
    EXPECT_STREQ(CPUInfoTable.back().Name, "Media GX");
    for (const TCPUInfo& row : CPUInfoTable) {
        EXPECT_GE(row.L1Kind, 0) << row.Name;
        EXPECT_GE(row.L2Kind, 0) << row.Name;
        EXPECT_TRUE(row.Socket >= 1 && row.Socket <= 10) << row.Name;
    }
}

struct FrequencyCase {
    const char* name;
    const char* model;
    std::int32_t family, speed, external, pci;
};

class Frequencies : public testing::TestWithParam<FrequencyCase> {};

TEST_P(Frequencies, ExternalThenPci)
{
    const FrequencyCase& row = GetParam();
    const std::int32_t external = ExternalFrequency(QString::fromUtf8(row.model), row.family, row.speed);
    EXPECT_EQ(external, row.external);
    EXPECT_EQ(PciFrequency(row.family, external), row.pci);
}

INSTANTIATE_TEST_SUITE_P(
    Models, Frequencies,
    testing::Values(FrequencyCase{"PentiumIII733", "Pentium III", 6, 733, 133, 33},
                    FrequencyCase{"CeleronIsAlways66", "Celeron", 6, 500, 66, 33},
                    FrequencyCase{"Celeron128KUsesTheTable", "Celeron 128K", 6, 300, 66, 33},
                    FrequencyCase{"PentiumMmx180HasNoEntry", "Pentium MMX", 5, 180, 0, 33},
                    FrequencyCase{"Pentium4Is400", "Pentium 4", 15, 2000, 400, 33},
                    FrequencyCase{"AthlonIs200", "Athlon", 6, 1000, 200, 33},
                    FrequencyCase{"DuronIs200", "Duron", 6, 800, 200, 33},
                    FrequencyCase{"ThunderbirdIs200", "Athlon Thunderbird", 6, 1200, 200, 33},
                    FrequencyCase{"AthlonXpUsesTheTable", "Athlon XP", 6, 1330, 0, 33},
                    FrequencyCase{"Pentium75RunsItsPciAt25", "Pentium (P54C)", 5, 75, 50, 25},
                    FrequencyCase{"Pentium90RunsItsPciAt30", "Pentium (P54C)", 5, 90, 60, 30},
                    FrequencyCase{"Pentium83", "Pentium 486 OverDrive", 5, 83, 33, 33},
                    FrequencyCase{"Pentium166", "Pentium MMX", 5, 166, 66, 33},
                    FrequencyCase{"Family6At180", "Pentium Pro", 6, 180, 60, 30},
                    FrequencyCase{"Family6At350", "Pentium II (Modèle 5)", 6, 350, 100, 33},
                    FrequencyCase{"Family6At1200", "Pentium III-S (tualatin)", 6, 1200, 133, 33},
                    FrequencyCase{"Family6At1130HasNoEntry", "Pentium III-S (tualatin)", 6, 1130, 0, 33},
                    FrequencyCase{"DX2At66Halves", "80486DX2", 4, 66, 33, 33},
                    FrequencyCase{"DX4At100DividesByThree", "80486DX4", 4, 100, 33, 33},
                    FrequencyCase{"DX4At120", "80486DX4", 4, 120, 40, 33},
                    FrequencyCase{"Family4At75", "Am5x86", 4, 75, 50, 33},
                    FrequencyCase{"Family3IsItsOwnSpeed", "386", 3, 33, 33, 33},
                    FrequencyCase{"Family0HasNone", "Pentium class", 0, 100, 0, 33},
                    FrequencyCase{"Family7HasNone", "Intel Corporation", 7, 1000, 0, 33}),
    qv::test::RowName());

TEST(PciFrequency, EdgeValues)
{
    EXPECT_EQ(PciFrequency(6, 133), 33);
    EXPECT_EQ(PciFrequency(5, 60), 30);
    EXPECT_EQ(PciFrequency(5, 61), 30);
    EXPECT_EQ(PciFrequency(5, 50), 25);
    EXPECT_EQ(PciFrequency(6, 51), 25);
    EXPECT_EQ(PciFrequency(4, 0), 33);
    EXPECT_EQ(PciFrequency(6, 0), 33);
    EXPECT_EQ(PciFrequency(5, 40), 33);
}

TEST(FamilyClassText, NamesEachFamily)
{
    const std::pair<std::int32_t, const char*> rows[] = {{0, "8086"},  {1, "?"},     {2, "80286"},
                                                         {3, "80386"}, {4, "80486"}, {5, "Pentium"},
                                                         {6, "P6"},    {7, "P6"},    {15, "P6"}};
    for (const auto& [family, text] : rows)
        EXPECT_EQ(FamilyClassText(family), QString::fromUtf8(text)) << family;
}

TEST(UsesDescriptorL2, KnowsTheNineNames)
{
    for (const char* name :
         {"Pentium Pro", "Pentium II (Modèle 3)", "Pentium II (Modèle 5)", "Celeron", "Celeron 128K",
          "Pentium II Overdrive", "Pentium III", "Pentium III Xeon", "Pentium III (0.18µ)"})
        EXPECT_TRUE(UsesDescriptorL2(QString::fromUtf8(name))) << name;
    EXPECT_FALSE(UsesDescriptorL2(QStringLiteral("Celeron II")));
    EXPECT_FALSE(UsesDescriptorL2(QStringLiteral("Athlon")));
}

} // namespace

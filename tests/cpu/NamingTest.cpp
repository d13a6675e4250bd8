// The naming step over every row family of the seven vendor tables, with the Intel second-level
// thresholds driven by the leaf-2 descriptor byte (0x40 none, 0x41 128, 0x42 256, 0x43 512, 0x44 1024,
// 0x45 2048, 0x82 256 KB).
#include "cpu/cxCPU2kVcl.h"
#include "cpu/cxcpu2kDefault.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qv::cpu::TcxCPU2000;

constexpr std::uint32_t kSerialFeature = 1u << 18;

struct NameCase {
    const char* name;
    const char* vendor;
    std::uint32_t signature;
    std::uint32_t descriptor; // low byte of leaf 2's EDX; the count byte 01 stands first
    std::uint32_t features;
    const char* model; // UTF-8
};

class ModelName : public testing::TestWithParam<NameCase> {};

TEST_P(ModelName, ComesFromTheVendorTable)
{
    const NameCase& row = GetParam();
    qv::test::ScopedSystemInfo facts;
    qv::test::ScopedDump dump(qv::test::ScopedDump::fromText(
        qv::test::dumpText(row.vendor, row.signature, row.features, {0x00000001, 0, 0, row.descriptor})));
    const TcxCPU2000 record;
    EXPECT_EQ(record.CPU(), QString::fromUtf8(row.model));
}

const NameCase kIntel[] = {
    {"Intel486SL", "GenuineIntel", 0x440, 0, 0, "80486SL"},
    {"Intel486DX2", "GenuineIntel", 0x470, 0, 0, "80486DX2"},
    {"Intel486DX4", "GenuineIntel", 0x480, 0, 0, "80486DX4"},
    {"Intel486Other", "GenuineIntel", 0x410, 0, 0, "486 class"},
    {"IntelP5Model0", "GenuineIntel", 0x500, 0, 0, "Pentium (P5)"},
    {"IntelP5Model1", "GenuineIntel", 0x513, 0, 0, "Pentium (P5)"},
    {"IntelP54CModel2", "GenuineIntel", 0x52C, 0, 0, "Pentium (P54C)"},
    {"IntelP54CModel7", "GenuineIntel", 0x570, 0, 0, "Pentium (P54C)"},
    {"Intel486OverDrive", "GenuineIntel", 0x531, 0, 0, "Pentium 486 OverDrive"},
    {"IntelPentiumMmx", "GenuineIntel", 0x543, 0, 0, "Pentium MMX"},
    {"IntelFamily5Model5", "GenuineIntel", 0x550, 0, 0, "Pentium class"},
    {"IntelFamily5Model15", "GenuineIntel", 0x5F0, 0, 0, "Pentium class"},
    {"IntelPentiumPro", "GenuineIntel", 0x619, 0x42, 0, "Pentium Pro"},
    {"IntelPentiumProModel0", "GenuineIntel", 0x600, 0, 0, "Pentium Pro"},
    {"IntelKlamath", "GenuineIntel", 0x633, 0x43, 0, "Pentium II (Modèle 3)"},
    {"IntelKlamathOverDrive", "GenuineIntel", 0x1633, 0x43, 0, "Pentium II Overdrive"},
    {"IntelModel5With128IsCeleron", "GenuineIntel", 0x652, 0x41, 0, "Celeron"},
    {"IntelModel5WithoutL2IsCeleron", "GenuineIntel", 0x650, 0x40, 0, "Celeron"},
    {"IntelModel5With256IsDeschutes", "GenuineIntel", 0x652, 0x42, 0, "Pentium II (Modèle 5)"},
    {"IntelModel5With512IsDeschutes", "GenuineIntel", 0x652, 0x43, 0, "Pentium II (Modèle 5)"},
    {"IntelModel5With1024IsXeon", "GenuineIntel", 0x652, 0x44, 0, "Pentium II Xeon"},
    {"IntelModel5With2048IsXeon", "GenuineIntel", 0x652, 0x45, 0, "Pentium II Xeon"},
    {"IntelModel6With512IsMobilePentiumII", "GenuineIntel", 0x66A, 0x43, 0, "Mobile Pentium II"},
    {"IntelModel6With256IsCeleron", "GenuineIntel", 0x665, 0x42, 0, "Celeron"},
    {"IntelModel6With256AndSerialIsMobileCeleron", "GenuineIntel", 0x665, 0x42, kSerialFeature,
     "Mobile Celeron"},
    {"IntelModel7With512IsPentiumIII", "GenuineIntel", 0x672, 0x43, 0, "Pentium III"},
    {"IntelModel7With1024IsXeon", "GenuineIntel", 0x672, 0x44, 0, "Pentium III Xeon"},
    {"IntelModel8With128IsCeleronII", "GenuineIntel", 0x683, 0x41, 0, "Celeron II"},
    {"IntelModel8With82IsCoppermine", "GenuineIntel", 0x683, 0x82, 0, "Pentium III (0.18µ)"},
    {"IntelModel8With512IsCoppermine", "GenuineIntel", 0x683, 0x43, 0, "Pentium III (0.18µ)"},
    {"IntelModel8With1024IsXeon", "GenuineIntel", 0x683, 0x44, 0, "Pentium III Xeon"},
    {"IntelModel11With128IsCeleronII", "GenuineIntel", 0x6B1, 0x41, 0, "Celeron II"},
    {"IntelModel11With256IsCoppermine", "GenuineIntel", 0x6B1, 0x42, 0, "Pentium III (0.18µ)"},
    {"IntelModel11With512IsTualatin", "GenuineIntel", 0x6B1, 0x43, 0, "Pentium III-S (tualatin)"},
    {"IntelModel11WithUnknownDescriptorIsCeleronII", "GenuineIntel", 0x6B4, 0x83, 0, "Celeron II"},
    {"IntelModel2", "GenuineIntel", 0x620, 0, 0, "Pentium II/III"},
    {"IntelModel4", "GenuineIntel", 0x640, 0, 0, "Pentium II/III"},
    {"IntelModel9", "GenuineIntel", 0x695, 0, 0, "Pentium II/III"},
    {"IntelModel10", "GenuineIntel", 0x6A0, 0x44, 0, "Pentium II/III"},
    {"IntelModel15", "GenuineIntel", 0x6F6, 0, 0, "Pentium II/III"},
    {"IntelFamily15With512IsNorthwood", "GenuineIntel", 0xF24, 0x43, 0, "Pentium 4 (Northwood)"},
    {"IntelFamily15With256IsPentium4", "GenuineIntel", 0xF12, 0x42, 0, "Pentium 4"},
    {"IntelFamily15With128IsCeleron", "GenuineIntel", 0xF13, 0x41, 0, "Celeron (core P4)"},
    {"IntelFamily15WithoutDescriptorIsCeleron", "GenuineIntel", 0xF29, 0, 0, "Celeron (core P4)"},
    {"IntelFamily7IsNamedAfterTheCompany", "GenuineIntel", 0x700, 0x43, 0, "Intel Corporation"},
    {"IntelFamily3IsNamedAfterTheCompany", "GenuineIntel", 0x300, 0, 0, "Intel Corporation"},
};

const NameCase kOtherVendors[] = {
    {"AmdAm486Model3", "AuthenticAMD", 0x430, 0, 0, "Am486"},
    {"AmdAm486Model9", "AuthenticAMD", 0x494, 0, 0, "Am486"},
    {"AmdAm5x86", "AuthenticAMD", 0x4F4, 0, 0, "Am5x86"},
    {"AmdAm5x86Model14", "AuthenticAMD", 0x4E4, 0, 0, "Am5x86"},
    {"Amd486Other", "AuthenticAMD", 0x440, 0, 0, "486 class"},
    {"AmdK5Model0", "AuthenticAMD", 0x501, 0, 0, "K5 (Model 0)"},
    {"AmdK5Model1", "AuthenticAMD", 0x511, 0, 0, "K5 (Model 1)"},
    {"AmdK5Model2", "AuthenticAMD", 0x524, 0, 0, "K5 (Model 2)"},
    {"AmdK5Model3", "AuthenticAMD", 0x534, 0, 0, "K5 (Model 3)"},
    {"AmdK6Model6", "AuthenticAMD", 0x562, 0, 0, "K6 (Model 6)"},
    {"AmdK6Model7", "AuthenticAMD", 0x570, 0, 0, "K6 (Model 7)"},
    {"AmdK6_2", "AuthenticAMD", 0x58C, 0, 0, "K6-2"},
    {"AmdK6_III", "AuthenticAMD", 0x591, 0, 0, "K6-III"},
    {"AmdFamily5Model4IsPentiumClass", "AuthenticAMD", 0x540, 0, 0, "Pentium class"},
    {"AmdFamily5Model13IsPentiumClass", "AuthenticAMD", 0x5D0, 0, 0, "Pentium class"},
    {"AmdAthlonModel1", "AuthenticAMD", 0x612, 0, 0, "Athlon"},
    {"AmdAthlonModel2", "AuthenticAMD", 0x621, 0, 0, "Athlon"},
    {"AmdDuronModel3", "AuthenticAMD", 0x631, 0, 0, "Duron"},
    {"AmdThunderbird", "AuthenticAMD", 0x642, 0, 0, "Athlon Thunderbird"},
    {"AmdModel5IsAthlon", "AuthenticAMD", 0x650, 0, 0, "Athlon"},
    {"AmdAthlonXp", "AuthenticAMD", 0x662, 0, 0, "Athlon XP"},
    {"AmdDuronModel7", "AuthenticAMD", 0x670, 0, 0, "Duron"},
    {"AmdModel8IsAthlon", "AuthenticAMD", 0x681, 0, 0, "Athlon"},
    {"AmdModel0IsAthlon", "AuthenticAMD", 0x600, 0, 0, "Athlon"},
    {"AmdFamily15IsNamedAfterTheCompany", "AuthenticAMD", 0xF48, 0, 0, "Advanced Micro Devices"},
    {"CyrixMediaGX", "CyrixInstead", 0x440, 0, 0, "Media GX"},
    {"CyrixCx5x86", "CyrixInstead", 0x490, 0, 0, "Cx5x86"},
    {"Cyrix486Other", "CyrixInstead", 0x420, 0, 0, "486 class"},
    {"Cyrix6x86", "CyrixInstead", 0x520, 0, 0, "6x86"},
    {"CyrixGXm", "CyrixInstead", 0x540, 0, 0, "GXm"},
    {"CyrixFamily5Other", "CyrixInstead", 0x530, 0, 0, "Pentium class"},
    {"Cyrix6x86MX", "CyrixInstead", 0x600, 0, 0, "6x86MX"},
    {"CyrixM2Class", "CyrixInstead", 0x620, 0, 0, "M2 Class"},
    {"CyrixFamily3IsNamedAfterTheCompany", "CyrixInstead", 0x300, 0, 0, "Cyrix Corporation"},
    {"IdtC6", "CentaurHauls", 0x540, 0, 0, "C6"},
    {"IdtC2", "CentaurHauls", 0x585, 0, 0, "C2"},
    {"IdtFamily5Other", "CentaurHauls", 0x590, 0, 0, "Pentium class"},
    {"IdtFamily6IsNamedAfterTheCompany", "CentaurHauls", 0x690, 0, 0, "IDT/Centaur"},
    {"NexGenNx586", "NexGenDriven", 0x502, 0, 0, "Nx586"},
    {"NexGenFamily5Other", "NexGenDriven", 0x540, 0, 0, "Pentium class"},
    {"NexGenFamily4IsNamedAfterTheCompany", "NexGenDriven", 0x400, 0, 0, "NexGen Inc"},
    {"UmcU5D", "UMC UMC UMC ", 0x410, 0, 0, "U5D"},
    {"UmcU5S", "UMC UMC UMC ", 0x420, 0, 0, "U5S"},
    {"UmcOtherIsPentiumClassNot486", "UMC UMC UMC ", 0x430, 0, 0, "Pentium class"},
    {"UmcFamily5IsNamedAfterTheCompany", "UMC UMC UMC ", 0x500, 0, 0, "United Microelectronics Corp"},
    {"RiseModel0", "RiseRiseRise", 0x500, 0, 0, "mP6"},
    {"RiseModel2", "RiseRiseRise", 0x520, 0, 0, "mP6"},
    {"RiseOther", "RiseRiseRise", 0x580, 0, 0, "Pentium class"},
    {"RiseFamily6IsNamedAfterTheCompany", "RiseRiseRise", 0x600, 0, 0, "Rise Technology"},
};

INSTANTIATE_TEST_SUITE_P(Intel, ModelName, testing::ValuesIn(kIntel), qv::test::RowName());
INSTANTIATE_TEST_SUITE_P(OtherVendors, ModelName, testing::ValuesIn(kOtherVendors), qv::test::RowName());

struct FullNameCase {
    const char* name;
    const char* vendor;
    std::uint32_t signature;
    const char* company;
    const char* fullName;
};

class NamingStep : public testing::TestWithParam<FullNameCase> {};

TEST_P(NamingStep, JoinsShortNameAndModel)
{
    const FullNameCase& row = GetParam();
    qv::test::ScopedSystemInfo facts(1, 586);
    qv::test::ScopedDump dump(
        qv::test::ScopedDump::fromText(qv::test::dumpText(row.vendor, row.signature, 0)));
    const TcxCPU2000 record;
    EXPECT_EQ(record.Vendor(), QString::fromUtf8(row.company));
    EXPECT_EQ(record.FullName(), QString::fromUtf8(row.fullName));
}

INSTANTIATE_TEST_SUITE_P(
    Vendors, NamingStep,
    testing::Values(FullNameCase{"Intel", "GenuineIntel", 0x543, "Intel Corporation", "Intel Pentium MMX"},
                    FullNameCase{"Amd", "AuthenticAMD", 0x58C, "Advanced Micro Devices", "AMD K6-2"},
                    FullNameCase{"AmdUnlistedFamily", "AuthenticAMD", 0xF00, "Advanced Micro Devices",
                                 "AMD Advanced Micro Devices"},
                    FullNameCase{"Cyrix", "CyrixInstead", 0x600, "Cyrix Corporation", "Cyrix 6x86MX"},
                    FullNameCase{"Idt", "CentaurHauls", 0x585, "IDT/Centaur", "IDT C2"},
                    FullNameCase{"NexGen", "NexGenDriven", 0x500, "NexGen Inc", "NexGen Nx586"},
                    FullNameCase{"Umc", "UMC UMC UMC ", 0x410, "United Microelectronics Corp", "UMC U5D"},
                    FullNameCase{"Rise", "RiseRiseRise", 0x500, "Rise Technology", "Rise mP6"},
                    FullNameCase{"UnknownVendor", "GenuineTMx86", 0x543, "Unknown Vendor",
                                 "Unknown Pentium class"},
                    FullNameCase{"UmcWithoutTrailingSpace", "UMC UMC UMCX", 0x410, "Unknown Vendor",
                                 "Unknown Pentium class"}),
    qv::test::RowName());

struct ClassCase {
    const char* name;
    std::int32_t type;
    const char* text;
};

class SystemClassName : public testing::TestWithParam<ClassCase> {};

TEST_P(SystemClassName, ComesFromTheProcessorType)
{
    qv::test::ScopedSystemInfo facts(1, GetParam().type);
    EXPECT_EQ(qv::cpu::cxcpu2kDefault::GetSystemClassName(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Types, SystemClassName,
    testing::Values(ClassCase{"I386", 386, "386 class"}, ClassCase{"I486", 486, "486 class"},
                    ClassCase{"Pentium", 586, "Pentium class"},
                    ClassCase{"PentiumII", 686, "Pentium II class"}, ClassCase{"Alpha", 2200, "2200 class"},
                    ClassCase{"X86_64", 8664, "8664 class"}, ClassCase{"Zero", 0, "0 class"}),
    qv::test::RowName());

TEST(SystemClassName, ThisMachineReportsItsArchitecture)
{
#if defined(__x86_64__)
    EXPECT_EQ(qv::cpu::cxcpu2kDefault::GetSystemClassName(), QStringLiteral("8664 class"));
#else
    GTEST_SKIP() << "the expected class is only fixed for x86-64";
#endif
}

TEST(NamingStep, WithoutCpuidTheVendorIsUnknownAndTheClassComesFromTheSystem)
{
    qv::test::ScopedSystemInfo facts(1, 486);
    qv::test::ScopedDump dump(qv::test::ScopedDump::load("no-cpuid.txt"));
    const TcxCPU2000 record;
    EXPECT_EQ(record.Vendor(), QStringLiteral("Unknown Vendor"));
    EXPECT_EQ(record.CPU(), QStringLiteral("486 class"));
    EXPECT_EQ(record.FullName(), QStringLiteral("Unknown 486 class"));
}

TEST(NamingStep, MaximumLeafZeroLeavesEarlierNamesInPlace)
{
    qv::test::ScopedDump intel(qv::test::ScopedDump::load("intel-pentium-mmx.txt"));
    TcxCPU2000 record;
    ASSERT_EQ(record.CPU(), QStringLiteral("Pentium MMX"));
    qv::test::ScopedDump maxLeafZero(qv::test::ScopedDump::load("intel-max-leaf-0.txt"));
    record.IdentifyProcessor();
    EXPECT_EQ(record.FullName(), QStringLiteral("hehe"));
    EXPECT_EQ(record.CPU(), QStringLiteral("Pentium MMX"));
    EXPECT_EQ(record.Vendor(), QStringLiteral("Intel Corporation"));
}

} // namespace

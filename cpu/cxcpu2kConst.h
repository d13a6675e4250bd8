#pragma once

#include <array>
#include <cstdint>

namespace qv::cpu {

// CPUID leaves the detection reads.
inline constexpr std::uint32_t CPUID_MAXLEVEL = 0x00000000;  // maximum standard leaf, vendor string
inline constexpr std::uint32_t CPUID_SIGNATURE = 0x00000001; // signature, standard feature word
inline constexpr std::uint32_t CPUID_CACHEDESCRIPTORS = 0x00000002;
inline constexpr std::uint32_t CPUID_SERIALNUMBER = 0x00000003;
inline constexpr std::uint32_t CPUID_MAXLEVELEX = 0x80000000;  // maximum extended leaf
inline constexpr std::uint32_t CPUID_EXTFEATURES = 0x80000001; // extended feature word
inline constexpr std::uint32_t CPUID_BRANDSTRING1 = 0x80000002;
inline constexpr std::uint32_t CPUID_BRANDSTRING2 = 0x80000003;
inline constexpr std::uint32_t CPUID_BRANDSTRING3 = 0x80000004;
inline constexpr std::uint32_t CPUID_L1CACHE = 0x80000005;
inline constexpr std::uint32_t CPUID_L2CACHE = 0x80000006;

// Nominal clock speeds in MHz. The order is part of the rounding rule (ties go to the earlier entry),
// which is why 866 stands before 850.
inline constexpr std::array<std::int32_t, 62> NominalSpeeds = {
    25,   33,   60,   66,   75,   82,   90,   100,  110,  116,  120,  133,  150,  166,  180,  188,
    200,  225,  233,  266,  300,  333,  350,  366,  400,  433,  450,  466,  500,  533,  550,  600,
    633,  650,  667,  700,  733,  750,  800,  866,  850,  933,  950,  1000, 1100, 1130, 1200, 1300,
    1330, 1400, 1470, 1500, 1530, 1600, 1670, 1700, 1730, 1800, 2000, 2260, 2530, 2800};

// The division-test operands.
inline constexpr double FDivDividend = 4195835.0;
inline constexpr double FDivDivisor = 3145727.0;

} // namespace qv::cpu

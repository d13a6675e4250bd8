#include "cpu/cxcpu2kAPI.h"

#include "cpu/cxcpu2kConst.h"
#include "platform/SystemFacts.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace qv::cpu {

namespace {

constexpr int kFeatureSerial = 18;
constexpr int kFeatureMMX = 23;

const platform::CpuidSource& source()
{
    return platform::installedCpuidSource();
}

// Reads a leaf when the processor has CPUID, else answers four zero registers.
TCPUIDRegisters readLeaf(std::uint32_t leaf)
{
    return CPUIDAvailable() ? ExecuteCPUID(leaf) : TCPUIDRegisters{};
}

using DescriptorSizes = std::initializer_list<std::pair<std::int32_t, std::int32_t>>;

// The size of the first byte that the table knows; 0 when none does.
std::int32_t firstKnownDescriptor(const TDescriptorBytes& bytes, DescriptorSizes sizes)
{
    for (const std::int32_t byte : bytes)
        for (const auto& [code, size] : sizes)
            if (byte == code)
                return size;
    return 0;
}

// "0000-0683": eight upper-case hexadecimal digits with a dash after the fourth.
QString serialPart(std::uint32_t value)
{
    const QString digits = QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
    return digits.left(4) + QLatin1Char('-') + digits.mid(4);
}

} // namespace

bool CPUIDAvailable()
{
    return source().identificationFlagToggles();
}

TCPUIDRegisters ExecuteCPUID(std::uint32_t leaf)
{
    return source().execute(leaf);
}

std::int32_t GetMaxLevel()
{
    return static_cast<std::int32_t>(readLeaf(CPUID_MAXLEVEL).eax);
}

std::uint32_t GetMaxLevelEx()
{
    return readLeaf(CPUID_MAXLEVELEX).eax;
}

bool ReportsExtendedLeaf(std::uint32_t leaf)
{
    return GetMaxLevelEx() >= leaf;
}

QString GetVendorString()
{
    if (!CPUIDAvailable())
        return QStringLiteral("Unknown");
    const TCPUIDRegisters leaf = ExecuteCPUID(CPUID_MAXLEVEL);
    return RegisterToText(leaf.ebx) + RegisterToText(leaf.edx) + RegisterToText(leaf.ecx);
}

std::int32_t GetSignature()
{
    return static_cast<std::int32_t>(readLeaf(CPUID_SIGNATURE).eax);
}

std::int32_t SignatureType(std::int32_t signature)
{
    return (signature >> 12) & 3;
}

std::int32_t SignatureFamily(std::int32_t signature)
{
    return (signature >> 8) & 15;
}

std::int32_t SignatureModel(std::int32_t signature)
{
    return (signature >> 4) & 15;
}

std::int32_t SignatureStepping(std::int32_t signature)
{
    return signature & 15;
}

std::uint32_t GetFeatureFlags()
{
    return readLeaf(CPUID_SIGNATURE).edx;
}

std::uint32_t GetExtFeatureFlags()
{
    if (!CPUIDAvailable() || !ReportsExtendedLeaf(CPUID_EXTFEATURES))
        return 0;
    return ExecuteCPUID(CPUID_EXTFEATURES).edx;
}

bool TestBit(std::uint32_t value, int bit)
{
    return bit >= 0 && bit < 32 && ((value >> bit) & 1u) != 0;
}

bool HasFeature(int bit)
{
    return TestBit(GetFeatureFlags(), bit);
}

bool IsOverDrive()
{
    const std::int32_t signature = GetSignature();
    return signature != 0 && SignatureType(signature) == 1;
}

bool HasMMX()
{
    return HasFeature(kFeatureMMX);
}

bool HasFDivBug()
{
    // Volatile operands reach the FPU at run time, so the compiler cannot fold the answer; every step
    // stays in extended precision.
    volatile long double x = FDivDividend;
    volatile long double y = FDivDivisor;
    volatile long double quotient = x / y;
    volatile long double product = quotient * y;
    const long double difference = product - x;
    return difference != 0.0L;
}

std::int32_t GetProcessorCount()
{
    return platform::GetSystemInfo().dwNumberOfProcessors;
}

QString RegisterToText(std::uint32_t value)
{
    QString text;
    for (int shift = 0; shift < 32; shift += 8)
        text += QChar(static_cast<char16_t>((value >> shift) & 0xFF));
    return text;
}

QString LeafToText(std::uint32_t leaf)
{
    const TCPUIDRegisters r = readLeaf(leaf);
    return RegisterToText(r.eax) + RegisterToText(r.ebx) + RegisterToText(r.ecx) + RegisterToText(r.edx);
}

QString GetBrandString()
{
    if (!CPUIDAvailable() || !ReportsExtendedLeaf(CPUID_BRANDSTRING3))
        return {};
    return LeafToText(CPUID_BRANDSTRING1) + LeafToText(CPUID_BRANDSTRING2) + LeafToText(CPUID_BRANDSTRING3);
}

QString GetSerialNumber()
{
    if (!CPUIDAvailable() || !HasFeature(kFeatureSerial))
        return {};
    const TCPUIDRegisters serial = ExecuteCPUID(CPUID_SERIALNUMBER);
    return serialPart(ExecuteCPUID(CPUID_SIGNATURE).eax) + QLatin1Char('-') + serialPart(serial.edx) +
           QLatin1Char('-') + serialPart(serial.ecx);
}

TCPUIDRegisters GetCacheDescriptors()
{
    if (!CPUIDAvailable())
        return {};
    TCPUIDRegisters registers = ExecuteCPUID(CPUID_CACHEDESCRIPTORS);
    const std::uint32_t executions = registers.eax & 0xFF;
    for (std::uint32_t done = 1; done < executions; ++done)
        registers = ExecuteCPUID(CPUID_CACHEDESCRIPTORS);
    return registers;
}

TCPUIDRegisters GetExtCacheLeaf(bool second)
{
    return readLeaf(second ? CPUID_L2CACHE : CPUID_L1CACHE);
}

TDescriptorBytes DescriptorBytes(const TCPUIDRegisters& registers)
{
    TDescriptorBytes bytes{};
    const std::array<std::uint32_t, 4> values = {registers.eax, registers.ebx, registers.ecx, registers.edx};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::int32_t>((values[i / 4] >> (8 * (i % 4))) & 0xFF);
    return bytes;
}

std::int32_t DecodeL1Data(const TDescriptorBytes& bytes)
{
    return firstKnownDescriptor(bytes, {{0x0A, 8}, {0x0C, 16}});
}

std::int32_t DecodeL1Code(const TDescriptorBytes& bytes)
{
    return firstKnownDescriptor(bytes, {{0x06, 8}, {0x08, 16}});
}

std::int32_t DecodeL1Unified(const TDescriptorBytes& bytes)
{
    return firstKnownDescriptor(bytes, {{0x80, 16}});
}

std::int32_t DecodeL2(const TDescriptorBytes& bytes)
{
    return firstKnownDescriptor(
        bytes, {{0x40, 0}, {0x41, 128}, {0x42, 256}, {0x43, 512}, {0x44, 1024}, {0x45, 2048}, {0x82, 256}});
}

std::int32_t ExtL1DataSize()
{
    return static_cast<std::int32_t>(GetExtCacheLeaf(false).ecx >> 24);
}

std::int32_t ExtL1CodeSize()
{
    return static_cast<std::int32_t>(GetExtCacheLeaf(false).edx >> 24);
}

std::int32_t ExtL2Size()
{
    return static_cast<std::int32_t>(GetExtCacheLeaf(true).ecx >> 16);
}

std::int32_t NearestNominalSpeed(float raw)
{
    const auto distance = [raw](std::int32_t speed) {
        return std::fabs(static_cast<long double>(raw) - static_cast<long double>(speed));
    };
    std::size_t best = 0;
    for (std::size_t i = 0; i < NominalSpeeds.size(); ++i)
        if (distance(NominalSpeeds[i]) < distance(NominalSpeeds[best]))
            best = i;
    return NominalSpeeds[best];
}

} // namespace qv::cpu

#include "cpu/Characteristics.h"

#include "libs/qvgcd/qvgcd.h"

#include <algorithm>
#include <span>

namespace qv::cpu {

const std::array<TCPUInfo, 37> CPUInfoTable = {{
    {"386", "", -1, 3, 0, 0, 32, 32, 1},
    {"486", "", 8, 1, -1, 3, 32, 32, 2},
    {"486 Class", "", 8, 1, -1, 3, 32, 32, 2},
    {"486DX2", "", 16, 1, -1, 3, 32, 32, 2},
    {"486DX4", "", 16, 1, -1, 3, 32, 32, 2},
    {"Pentium 486", "", 16, 2, -1, 3, 32, 64, 2},
    {"Pentium", "", 16, 2, -1, 3, 32, 64, 3},
    {"Pentium (P5)", "", 16, 2, -1, 3, 32, 64, 3},
    {"Pentium (P54C)", "", 16, 2, -1, 3, 32, 64, 3},
    {"Pentium MMX", "", 32, 2, -1, 3, 32, 64, 3},
    {"Pentium Pro", "", 16, 2, -1, 3, 32, 64, 6},
    {"Pentium II (Modèle 3)", "", 32, 2, 512, 4, 32, 64, 4},
    {"Pentium II (Modèle 5)", "", 32, 2, 512, 4, 32, 64, 4},
    {"Celeron", "", 32, 2, 0, 0, 32, 64, 4},
    {"Celeron 128K", "", 32, 2, 128, 4, 32, 64, 4},
    {"Pentium III", "", 32, 2, 512, 4, 32, 64, 4},
    {"Pentium III (0.18µ)", "", 32, 2, 256, 6, 32, 64, 4},
    {"Celeron II", "", 32, 2, 128, 6, 32, 64, 4},
    {"Pentium 4", "", 20, 7, 256, 6, 32, 64, 9},
    {"K5 (Model 0)", "", 24, 5, -1, 3, 32, 32, 3},
    {"K5 (Model 1)", "", 24, 5, -1, 3, 32, 32, 3},
    {"K5 (Model 3)", "", 24, 5, -1, 3, 32, 32, 3},
    {"K6", "", 64, 1, -1, 3, 32, 32, 3},
    {"K6-2", "", 64, 1, -1, 3, 32, 32, 5},
    {"K6 3D", "", 64, 1, -1, 3, 32, 32, 5},
    {"K6 3D+", "", 64, 1, -1, 3, 32, 32, 5},
    {"K6-III", "", 64, 1, -1, 3, 32, 32, 5},
    {"Athlon", "", 128, 1, 512, 4, 32, 64, 8},
    {"Duron", "", 128, 1, 64, 6, 32, 32, 10},
    {"Athlon Thunderbird", "", 128, 1, 256, 6, 32, 32, 10},
    {"Mobile Duron", "", 128, 1, 64, 6, 32, 32, 10},
    {"Athlon XP", "", 128, 1, 256, 6, 32, 32, 10},
    {"Cx5x86", "", 16, 1, -1, 3, 32, 32, 1},
    {"5x86", "", 16, 1, -1, 3, 32, 32, 1},
    {"Cx6x86", "", 16, 1, -1, 3, 32, 32, 3},
    {"6x86MX", "", 64, 1, -1, 3, 32, 32, 3},
    {"Media GX", "", 16, 1, -1, 3, 32, 32, 7},
}};

namespace {

constexpr std::array<const char*, 8> kCacheKindNames = {
    "pas de cache",
    "Intégré - Mixte (D+I)",
    "Intégré - Séparé (D/I)",
    "Externe (sur carte mère)",
    "Intégré sur le processeur",
    "8Ko instruction / 16Ko données",
    "Full speed cache",
    "12Ko instruction / 8Ko données",
};

// Indexed from 1.
constexpr std::array<const char*, 10> kSocketNames = {
    "Spécifique 386",  "Socket 3",           "Socket 7",          "Slot 1",     "SuperSocket 7",
    "Spécifique PPro", "Spécifique MediaGX", "Socket A (slot A)", "Socket 423", "Socket A",
};

constexpr std::array<const char*, 7> kFamilyClassNames = {"8086",  "?",       "80286", "80386",
                                                          "80486", "Pentium", "P6"};

constexpr std::array<const char*, 9> kDescriptorL2Names = {
    "Pentium Pro", "Pentium II (Modèle 3)", "Pentium II (Modèle 5)",
    "Celeron",     "Celeron 128K",          "Pentium II Overdrive",
    "Pentium III", "Pentium III Xeon",      "Pentium III (0.18µ)",
};

TDllDescriptors g_descriptors{};

QString unknownText()
{
    return QStringLiteral("?");
}

// A name from one of the text tables, "?" for an index outside it.
template<std::size_t N>
QString tableText(const std::array<const char*, N>& table, std::int32_t index)
{
    if (index < 0 || index >= static_cast<std::int32_t>(N))
        return unknownText();
    return QString::fromUtf8(table[static_cast<std::size_t>(index)]);
}

QString kilobytes(std::int32_t size)
{
    return QString::number(size) + QStringLiteral(" Ko");
}

QString bits(std::int32_t width)
{
    return QString::number(width) + QStringLiteral(" bits");
}

// The line of a found row, "?" when the name has none.
template<typename Format>
QString rowLine(const QString& name, Format format)
{
    const std::optional<TCPUInfo> info = FindCPUInfo(name);
    return info ? format(*info) : unknownText();
}

struct SpeedToBus {
    std::int32_t speed;
    std::int32_t bus;
};

constexpr SpeedToBus kFamily4Buses[] = {{20, 20}, {25, 25}, {33, 33},  {40, 40}, {66, 33},
                                        {75, 50}, {80, 40}, {100, 33}, {120, 40}};
constexpr SpeedToBus kFamily5Buses[] = {{60, 60},  {66, 66},  {75, 50},  {83, 33},  {90, 60},  {100, 66},
                                        {120, 60}, {133, 66}, {150, 60}, {166, 66}, {200, 66}, {233, 66}};
constexpr SpeedToBus kFamily6Buses[] = {
    {180, 60},  {200, 66},  {233, 66},  {266, 66},   {300, 66},   {333, 66},  {366, 66},
    {350, 100}, {400, 100}, {450, 100}, {466, 100},  {500, 100},  {550, 100}, {600, 100},
    {700, 100}, {533, 133}, {633, 133}, {667, 133},  {733, 133},  {800, 133}, {850, 133},
    {866, 133}, {933, 133}, {950, 133}, {1000, 133}, {1100, 133}, {1200, 133}};

std::int32_t busFor(std::span<const SpeedToBus> table, std::int32_t speed)
{
    const auto it = std::find_if(table.begin(), table.end(),
                                 [speed](const SpeedToBus& entry) { return entry.speed == speed; });
    return it == table.end() ? 0 : it->bus;
}

} // namespace

void ReadDllDescriptors()
{
    const std::array<std::uint32_t, 4> values = {getcda(), getcdb(), getcdc(), getcdd()};
    for (std::size_t i = 0; i < g_descriptors.size(); ++i)
        g_descriptors[i] = static_cast<std::uint8_t>(values[i / 4] >> (8 * (i % 4)));
}

const TDllDescriptors& DllDescriptors()
{
    return g_descriptors;
}

std::int32_t DllL2CacheSize()
{
    ReadDllDescriptors();
    for (const std::uint8_t byte : g_descriptors) {
        switch (byte) {
        case 0x40:
            return 0;
        case 0x41:
        case 0x81:
            return 128;
        case 0x42:
        case 0x82:
            return 256;
        case 0x43:
            return 512;
        case 0x44:
            return 1024;
        case 0x45:
            return 2048;
        default:
            break;
        }
    }
    return -1;
}

bool DllHasDescriptor82()
{
    ReadDllDescriptors();
    return std::find(g_descriptors.begin(), g_descriptors.end(), 0x82) != g_descriptors.end();
}

bool HasSuffixE()
{
    return DllHasDescriptor82();
}

QString RefineCeleronName(const QString& name)
{
    if (name == QLatin1String("Celeron") && DllL2CacheSize() == 128)
        return QStringLiteral("Celeron 128K");
    return name;
}

QString FamilyClassText(std::int32_t family)
{
    if (family >= static_cast<std::int32_t>(kFamilyClassNames.size()))
        return QStringLiteral("P6");
    return tableText(kFamilyClassNames, family);
}

std::int32_t NominalBusFrequency(std::int32_t family, std::int32_t speed)
{
    switch (family) {
    case 1:
    case 2:
    case 3:
        return speed;
    case 4:
        return busFor(kFamily4Buses, speed);
    case 5:
        return busFor(kFamily5Buses, speed);
    case 6:
        return busFor(kFamily6Buses, speed);
    default:
        return 0;
    }
}

std::int32_t ExternalFrequency(const QString& name, std::int32_t family, std::int32_t speed)
{
    if (name == QLatin1String("Pentium 4"))
        return 400;
    if (name == QLatin1String("Athlon Thunderbird") || name == QLatin1String("Athlon") ||
        name == QLatin1String("Duron"))
        return 200;
    if (name == QLatin1String("Celeron"))
        return 66;
    return NominalBusFrequency(family, speed);
}

std::int32_t PciFrequency(std::int32_t family, std::int32_t external)
{
    std::int32_t pci = 0;
    if (family == 4)
        pci = 33;
    else if (family == 5 || family == 6)
        pci = external / 2;
    pci = std::min(pci, 33);
    return pci == 25 || pci == 30 ? pci : 33;
}

std::optional<TCPUInfo> FindCPUInfo(const QString& name)
{
    const auto it = std::find_if(CPUInfoTable.begin(), CPUInfoTable.end(), [&name](const TCPUInfo& info) {
        return name == QString::fromUtf8(info.Name);
    });
    if (it == CPUInfoTable.end())
        return std::nullopt;
    return *it;
}

bool UsesDescriptorL2(const QString& name)
{
    return std::any_of(kDescriptorL2Names.begin(), kDescriptorL2Names.end(),
                       [&name](const char* entry) { return name == QString::fromUtf8(entry); });
}

QString DataBusText(const QString& name)
{
    return rowLine(name, [](const TCPUInfo& info) { return bits(info.DataBus); });
}

QString AddressBusText(const QString& name)
{
    return rowLine(name, [](const TCPUInfo& info) { return bits(info.AddressBus); });
}

QString L1SizeText(const QString& name)
{
    return rowLine(name, [](const TCPUInfo& info) {
        return info.L1Size == -1 ? unknownText() : kilobytes(info.L1Size);
    });
}

QString L1KindText(const QString& name)
{
    return rowLine(name, [](const TCPUInfo& info) { return tableText(kCacheKindNames, info.L1Kind); });
}

QString L2SizeText(const QString& name)
{
    return rowLine(name, [&name](const TCPUInfo& info) {
        if (UsesDescriptorL2(name))
            return kilobytes(DllL2CacheSize());
        return info.L2Size == -1 ? QStringLiteral("Variable") : kilobytes(info.L2Size);
    });
}

QString L2KindText(const QString& name)
{
    return rowLine(name, [](const TCPUInfo& info) { return tableText(kCacheKindNames, info.L2Kind); });
}

QString SocketText(const QString& name)
{
    return rowLine(name, [](const TCPUInfo& info) { return tableText(kSocketNames, info.Socket - 1); });
}

} // namespace qv::cpu

#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The characteristic lines of the processor window: the built-in table of known processors, the cache,
// socket and family-class names, and the second-level size and series refinements that come from the
// cache-descriptor library.
namespace qv::cpu {

struct TCPUInfo {
    const char* Name; // UTF-8, compared exactly with a model name
    const char* Picture;
    std::int32_t L1Size; // KB, -1 = not stated
    std::int32_t L1Kind; // index into CacheKindNames, -1 = not stated
    std::int32_t L2Size; // KB, -1 = depends on the board
    std::int32_t L2Kind;
    std::int32_t AddressBus; // bits
    std::int32_t DataBus;    // bits
    std::int32_t Socket;     // index into SocketNames, 1..10
};

extern const std::array<TCPUInfo, 37> CPUInfoTable;

// The 16 descriptor bytes of the library's last answer: getcda's value in bytes 0-3, getcdb's in 4-7,
// getcdc's in 8-11, getcdd's in 12-15, each lowest byte first.
using TDllDescriptors = std::array<std::uint8_t, 16>;
void ReadDllDescriptors();
const TDllDescriptors& DllDescriptors();

std::int32_t DllL2CacheSize(); // KB, -1 when no descriptor gives a second-level size
bool DllHasDescriptor82();
bool HasSuffixE();
QString RefineCeleronName(const QString& name);

QString FamilyClassText(std::int32_t family);
std::int32_t NominalBusFrequency(std::int32_t family, std::int32_t speed);
std::int32_t ExternalFrequency(const QString& name, std::int32_t family, std::int32_t speed);
std::int32_t PciFrequency(std::int32_t family, std::int32_t external);

std::optional<TCPUInfo> FindCPUInfo(const QString& name);
bool UsesDescriptorL2(const QString& name);

QString DataBusText(const QString& name);
QString AddressBusText(const QString& name);
QString L1SizeText(const QString& name);
QString L1KindText(const QString& name);
QString L2SizeText(const QString& name);
QString L2KindText(const QString& name);
QString SocketText(const QString& name);

} // namespace qv::cpu

#pragma once

#include "platform/ScopedHook.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace qv::platform {

// The four registers one CPUID leaf returns.
struct CpuidRegisters {
    std::uint32_t eax = 0;
    std::uint32_t ebx = 0;
    std::uint32_t ecx = 0;
    std::uint32_t edx = 0;

    friend bool operator==(const CpuidRegisters&, const CpuidRegisters&) = default;
};

// Where the processor-identification instructions are answered: the processor itself or a recorded
// dump. Everything above this layer reads the one installed source, so a dump replays a whole machine.
class CpuidSource {
public:
    virtual ~CpuidSource() = default;

    // The flags-register test: true when the ID flag (bit 21) can be toggled.
    virtual bool identificationFlagToggles() const = 0;
    // CPUID with EAX = leaf and sub-leaf 0. Only meaningful when the flag toggles.
    virtual CpuidRegisters execute(std::uint32_t leaf) const = 0;
    // RDTSC as one 64-bit value.
    virtual std::uint64_t readTimeStampCounter() const = 0;
    // A recorded processor may name the clock its measurement finds, in MHz; the measurement then
    // answers that at once instead of timing the counter.
    virtual std::optional<float> scriptedClockMegahertz() const { return std::nullopt; }
};

// The instructions of the processor this program runs on. Off x86 there is no CPUID (the flag never
// toggles, every leaf reads as zeros) and the counter reads 0.
const CpuidSource& processorCpuidSource();

// The source every caller reads: the processor unless another has been installed.
const CpuidSource& installedCpuidSource();

// Installs `source` for the whole process (nullptr returns to the processor) and returns the one it
// replaces.
std::shared_ptr<const CpuidSource> installCpuidSource(std::shared_ptr<const CpuidSource> source);

// Installs a source for the lifetime of this object, then restores the one that was installed before.
using ScopedCpuidSource = ScopedHook<std::shared_ptr<const CpuidSource>, &installCpuidSource>;

} // namespace qv::platform

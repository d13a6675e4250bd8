#include "platform/CpuidSource.h"

#include <utility>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define QV_HAS_CPUID_INSTRUCTION 1
#endif

namespace qv::platform {

namespace {

class ProcessorSource final : public CpuidSource {
public:
    bool identificationFlagToggles() const override
    {
#if defined(QV_HAS_CPUID_INSTRUCTION)
        // Read the flags, invert the ID bit, write them back and read again; the bit is left as it is.
        unsigned long before = 0;
        unsigned long after = 0;
#if defined(__x86_64__)
        // The stack is moved past the red zone first: the pushes would overwrite it.
        asm volatile("subq $128, %%rsp\n\t"
                     "pushfq\n\t"
                     "popq %0\n\t"
                     "movq %0, %1\n\t"
                     "xorq $0x200000, %1\n\t"
                     "pushq %1\n\t"
                     "popfq\n\t"
                     "pushfq\n\t"
                     "popq %1\n\t"
                     "addq $128, %%rsp\n\t"
                     : "=&r"(before), "=&r"(after)
                     :
                     : "cc");
#else
        asm volatile("pushfl\n\t"
                     "popl %0\n\t"
                     "movl %0, %1\n\t"
                     "xorl $0x200000, %1\n\t"
                     "pushl %1\n\t"
                     "popfl\n\t"
                     "pushfl\n\t"
                     "popl %1\n\t"
                     : "=&r"(before), "=&r"(after)
                     :
                     : "cc");
#endif
        return before != after;
#else
        return false;
#endif
    }

    CpuidRegisters execute(std::uint32_t leaf) const override
    {
        CpuidRegisters registers;
#if defined(QV_HAS_CPUID_INSTRUCTION)
        __cpuid_count(leaf, 0, registers.eax, registers.ebx, registers.ecx, registers.edx);
#else
        static_cast<void>(leaf);
#endif
        return registers;
    }

    std::uint64_t readTimeStampCounter() const override
    {
#if defined(QV_HAS_CPUID_INSTRUCTION)
        return __rdtsc();
#else
        return 0;
#endif
    }
};

std::shared_ptr<const CpuidSource>& installedSlot()
{
    static std::shared_ptr<const CpuidSource> slot;
    return slot;
}

} // namespace

const CpuidSource& processorCpuidSource()
{
    static const ProcessorSource source;
    return source;
}

const CpuidSource& installedCpuidSource()
{
    const auto& installed = installedSlot();
    return installed ? *installed : processorCpuidSource();
}

std::shared_ptr<const CpuidSource> installCpuidSource(std::shared_ptr<const CpuidSource> source)
{
    return std::exchange(installedSlot(), std::move(source));
}

} // namespace qv::platform

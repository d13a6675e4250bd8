#include "libs/qvgcd/qvgcd.h"

#include "platform/CpuidSource.h"

namespace {

constexpr std::uint32_t kCacheDescriptorLeaf = 2;

qv::platform::CpuidRegisters descriptorLeaf()
{
    const qv::platform::CpuidSource& source = qv::platform::installedCpuidSource();
    return source.identificationFlagToggles() ? source.execute(kCacheDescriptorLeaf)
                                              : qv::platform::CpuidRegisters{};
}

} // namespace

std::uint32_t getcda()
{
    return descriptorLeaf().eax;
}

std::uint32_t getcdb()
{
    return descriptorLeaf().ebx;
}

std::uint32_t getcdc()
{
    return descriptorLeaf().ecx;
}

std::uint32_t getcdd()
{
    return descriptorLeaf().edx;
}

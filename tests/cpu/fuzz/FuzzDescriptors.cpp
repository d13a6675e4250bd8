// Any 16 bytes as leaf 2 (and the cache leaves): the descriptor searches and the lines built on them.
#include "cpu/Characteristics.h"
#include "cpu/cxcpu2kAPI.h"
#include "platform/CpuidDump.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size < 16)
        return 0;
    qv::platform::CpuidRegisters registers;
    std::memcpy(&registers, data, 16);
    const qv::cpu::TDescriptorBytes bytes = qv::cpu::DescriptorBytes(registers);
    qv::cpu::DecodeL1Data(bytes);
    qv::cpu::DecodeL1Code(bytes);
    qv::cpu::DecodeL1Unified(bytes);
    qv::cpu::DecodeL2(bytes);

    const std::string text = qv::platform::formatCpuidDumpLine(2, registers) + '\n' +
                             qv::platform::formatCpuidDumpLine(0x80000005, registers) + '\n';
    qv::platform::ScopedCpuidSource scope(
        std::make_shared<qv::platform::RecordedCpuidSource>(qv::platform::RecordedCpuidSource::parse(text)));
    qv::cpu::GetCacheDescriptors();
    for (const char* name : {"Celeron", "Pentium III", "Athlon", "486"}) {
        const QString model = QString::fromUtf8(name);
        qv::cpu::RefineCeleronName(model);
        qv::cpu::L2SizeText(model);
    }
    qv::cpu::DllHasDescriptor82();
    const auto family = static_cast<std::int32_t>(registers.eax);
    const auto speed = static_cast<std::int32_t>(registers.ebx);
    qv::cpu::PciFrequency(family, qv::cpu::NominalBusFrequency(family, speed));
    qv::cpu::FamilyClassText(family);
    qv::cpu::NearestNominalSpeed(static_cast<float>(speed));
    return 0;
}

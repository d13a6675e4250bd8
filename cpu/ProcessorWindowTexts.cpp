#include "cpu/ProcessorWindowTexts.h"

#include "cpu/Characteristics.h"
#include "cpu/cxCPU2kVcl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace qv::cpu {

namespace {

// The feature flags the detailed page has an indicator for, each named as its flag.
constexpr std::array<std::string_view, 16> kFeatureIndicators = {"FPU", "VME",  "DE",  "PSE",  "TSC",  "MSR",
                                                                 "PAE", "MCE",  "CX8", "APIC", "MTRR", "PGE",
                                                                 "MCA", "CMOV", "MMX", "SIMD"};

std::vector<IndicatorState> featureIndicators(const TcxFeatureSet& features)
{
    std::vector<IndicatorState> states;
    states.reserve(kFeatureIndicators.size());
    for (const auto& flag : TcxFeatureSet::Flags)
        if (std::find(kFeatureIndicators.begin(), kFeatureIndicators.end(), flag.name) !=
            kFeatureIndicators.end())
            states.push_back({flag.name, features.has(flag.bit)});
    return states;
}

QString megahertz(std::int32_t value)
{
    return QString::number(value) + QStringLiteral(" Mhz");
}

QString megahertzOrUnknown(std::int32_t value)
{
    return value == 0 ? QStringLiteral("?") : megahertz(value);
}

QString seriesSuffix(const QString& name, std::int32_t speed)
{
    if (name != QStringLiteral("Pentium III (0.18µ)"))
        return {};
    QString suffix;
    if (HasSuffixE())
        suffix = QStringLiteral("E");
    if (speed == 933 || speed == 866)
        suffix = QStringLiteral("EB");
    return suffix.isEmpty() ? suffix : QStringLiteral(" série ") + suffix;
}

} // namespace

ProcessorWindowTexts FillProcessorWindowTexts(TcxCPU2000& cpu)
{
    ProcessorWindowTexts texts;
    cpu.IdentifyProcessor();
    const QString full = cpu.FullName();
    texts.name = RefineCeleronName(cpu.CPU());
    texts.suffix = seriesSuffix(texts.name, cpu.Speed());
    texts.TypeProcesseur = full + QStringLiteral(" at ") + megahertz(cpu.Speed()) + texts.suffix;
    texts.BusDonnees = DataBusText(texts.name);
    texts.BusAdresse = AddressBusText(texts.name);
    texts.TailleCacheL1 = L1SizeText(texts.name);
    texts.TypeCacheL1 = L1KindText(texts.name);
    texts.TailleCacheL2 = L2SizeText(texts.name);
    texts.TypeCacheL2 = L2KindText(texts.name);
    texts.TypeSupport = SocketText(texts.name);
    texts.features = featureIndicators(cpu.FeatureSet());
    if (!cpu.CPUID().Available())
        return texts;

    const std::int32_t family = cpu.InternalResults().cpuFamily();
    texts.detailedPage = true;
    texts.Copro = cpu.FeatureSet().FPU();
    texts.SupportMMX = cpu.MMX();
    texts.Support3DNow = cpu.FeatureSetEx().AMD3DNow() ||
                         (cpu.Vendor() == QLatin1String("Advanced Micro Devices") && family >= 6);
    texts.SupportSIMD = cpu.FeatureSet().SIMD();
    texts.Classe = FamilyClassText(family);
    texts.Modele = cpu.CPU();
    // The default rounding mode sends halves to the even neighbour.
    texts.Frequence = megahertz(static_cast<std::int32_t>(std::nearbyint(cpu.RawSpeed())));
    texts.Marque = cpu.Vendor();
    texts.OverDrive = cpu.OverDrive();
    texts.FrequenceInterne = megahertz(cpu.Speed());
    texts.external = ExternalFrequency(texts.name, family, cpu.Speed());
    texts.FrequenceExterne = megahertzOrUnknown(texts.external);
    texts.pci = PciFrequency(family, texts.external);
    texts.FrequencePCI = megahertzOrUnknown(texts.pci);
    return texts;
}

} // namespace qv::cpu

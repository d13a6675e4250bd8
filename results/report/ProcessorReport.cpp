#include "results/report/ProcessorReport.h"

#include "cpu/ProcessorWindowTexts.h"
#include "cpu/cxCPU2kVcl.h"

namespace qv::cli {

namespace {

constexpr std::int32_t kWindowDelay = 2000; // the processor window measures the clock for 2 s

// The processor window's controls after its activation, by name: each text, each indicator's state
// (lit), the selected type and whether the detailed page shows; null for what stands on a hidden page.
std::vector<Field> windowFields(const cpu::ProcessorWindowTexts& texts)
{
    const auto ifShown = [&texts](Value value) { return texts.detailedPage ? std::move(value) : Value(); };
    std::vector<Field> fields = {{"TypeProcesseur", texts.TypeProcesseur},
                                 {"BusDonnees", texts.BusDonnees},
                                 {"BusAdresse", texts.BusAdresse},
                                 {"Copro", texts.Copro},
                                 {"SupportMMX", texts.SupportMMX},
                                 {"Support3DNow", texts.Support3DNow},
                                 {"SupportSIMD", texts.SupportSIMD},
                                 {"TabSheet2", texts.detailedPage},
                                 {"Classe", ifShown(texts.Classe)},
                                 {"Modele", ifShown(texts.Modele)},
                                 {"Frequence", ifShown(texts.Frequence)},
                                 {"Marque", ifShown(texts.Marque)},
                                 {"FrequenceInterne", ifShown(texts.FrequenceInterne)},
                                 {"FrequenceExterne", ifShown(texts.FrequenceExterne)},
                                 {"FrequencePCI", ifShown(texts.FrequencePCI)},
                                 {"TailleCacheL1", ifShown(texts.TailleCacheL1)},
                                 {"TypeCacheL1", ifShown(texts.TypeCacheL1)},
                                 {"TailleCacheL2", ifShown(texts.TailleCacheL2)},
                                 {"TypeCacheL2", ifShown(texts.TypeCacheL2)},
                                 {"Standard", ifShown(!texts.OverDrive)},
                                 {"OverDrive", ifShown(texts.OverDrive)},
                                 {"TypeSupport", ifShown(texts.TypeSupport)}};
    for (const cpu::IndicatorState& feature : texts.features)
        fields.push_back({feature.name, ifShown(feature.enabled)});
    return fields;
}

// The record as it stands after Loaded (FullName may hold the brand string), then the window's lines.
Report buildReport(const cpu::TcxCPU2000& record, const cpu::ProcessorWindowTexts& texts,
                   const QString& loadedFullName)
{
    const auto& info = record.InternalResults();
    std::vector<Field> flags;
    flags.reserve(std::size(cpu::TcxFeatureSet::Flags));
    for (const auto& flag : cpu::TcxFeatureSet::Flags)
        flags.push_back({flag.name, record.FeatureSet().has(flag.bit)});

    return {
        group("CPUID", {{"Available", record.CPUID().Available()},
                        {"MaxLevel", record.CPUID().MaxLevel()},
                        {"MaxLevelEx", record.CPUID().MaxLevelEx()}}),
        group("InternalResults", {{"VendorID", info.VendorID()},
                                  {"Signature", info.Signature()},
                                  {"cpuType", info.cpuType()},
                                  {"cpuFamily", info.cpuFamily()},
                                  {"cpuModel", info.cpuModel()},
                                  {"cpuStepping", info.cpuStepping()},
                                  {"FeatureSet", info.FeatureSet()},
                                  {"FeatureSetEx", info.FeatureSetEx()}}),
        group("FeatureSet", std::move(flags)),
        group("FeatureSetEx", {{"AMD3DNow", record.FeatureSetEx().AMD3DNow()},
                               {"AMD3DNowEx", record.FeatureSetEx().AMD3DNowEx()},
                               {"MMXEx", record.FeatureSetEx().MMXEx()}}),
        group("Cache", {{"L1Data", record.Cache().L1Data()},
                        {"L1Code", record.Cache().L1Code()},
                        {"Level1", record.Cache().Level1()},
                        {"Level2", record.Cache().Level2()}}),
        single("Count", record.Count()),
        single("CPU", record.CPU()),
        single("FDivBug", record.FDivBug()),
        single("FullName", loadedFullName),
        single("MMX", record.MMX()),
        single("OverDrive", record.OverDrive()),
        single("Serial", record.Serial()),
        single("Speed", record.Speed()),
        single("RawSpeed", record.RawSpeed()),
        single("Vendor", record.Vendor()),
        group("Characteristics", {{"Name", texts.name},
                                  {"DataBus", texts.BusDonnees},
                                  {"AddressBus", texts.BusAdresse},
                                  {"L1Size", texts.TailleCacheL1},
                                  {"L1Kind", texts.TypeCacheL1},
                                  {"L2Size", texts.TailleCacheL2},
                                  {"L2Kind", texts.TypeCacheL2},
                                  {"Socket", texts.TypeSupport},
                                  {"Class", texts.Classe},
                                  {"ExternalFrequency", texts.external},
                                  {"PciFrequency", texts.pci},
                                  {"SuffixE", texts.suffix}}),
        group("Window", windowFields(texts)),
    };
}

} // namespace

Report processorReport(bool measureClock)
{
    // As the processor window's form loader does: construct, apply the stored settings, then Loaded.
    cpu::TcxCPU2000 record;
    record.AutoBench().setEnabled(measureClock);
    record.AutoBench().setDelay(kWindowDelay);
    record.Loaded();
    const QString loadedFullName = record.FullName();
    const cpu::ProcessorWindowTexts texts = cpu::FillProcessorWindowTexts(record);
    return buildReport(record, texts, loadedFullName);
}

} // namespace qv::cli

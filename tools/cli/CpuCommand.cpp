#include "tools/cli/CpuCommand.h"

#include "cpu/ProcessorWindowTexts.h"
#include "cpu/cxCPU2kVcl.h"
#include "platform/CpuidDump.h"
#include "platform/FileAccess.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/Cli.h"
#include "tools/cli/Report.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <stdexcept>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary = "Identify the processor as the processor information window does";
constexpr std::int32_t kWindowDelay = 2000; // the processor window measures the clock for 2 s

ArgParser cpuArguments()
{
    ArgParser parser;
    parser.option(
        "--cpuid-dump", "FILE",
        "replay the processor recorded in FILE (lines \"CPUID LLLLLLLL: EAX-EBX-ECX-EDX\"); the clock "
        "is this machine's unless a line \"CLOCK MHz\" gives it");
    parser.flag("--no-clock", "skip the 2-second clock measurement (Speed and RawSpeed stay 0)");
    parser.flag("--json",
                "one JSON object whose keys are the record's property names, then Characteristics and Window "
                "(the processor window's controls by name, null on a hidden page)");
    parser.option("--record-cpuid", "FILE",
                  "write this processor's CPUID leaves to FILE in the dump format (\"-\": standard output)");
    parser.flag("--force", "let --record-cpuid replace an existing FILE");
    return parser;
}

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

// As bench --save: an existing file is replaced only with --force, and then in one step.
int recordDump(const std::string& path, bool force, std::ostream& out)
{
    const std::string dump = platform::recordCpuidDump(platform::installedCpuidSource());
    try {
        platform::writeFileTarget(path, dump, force ? platform::Existing::Replace : platform::Existing::Keep,
                                  &out);
    } catch (const platform::FileExistsError& error) {
        refuseToReplace(error);
    }
    if (path != "-") {
        const auto leaves = std::count(dump.begin(), dump.end(), '\n') - 1;
        out << "Recorded " << leaves << " CPUID leaves in " << path << '\n';
    }
    return 0;
}

int runCpu(std::span<const std::string> args, std::ostream& out, std::ostream&)
{
    const ParsedArgs parsed = cpuArguments().parse(args);
    std::unique_ptr<platform::ScopedCpuidSource> replay;
    if (const auto path = parsed.text("--cpuid-dump")) {
        std::shared_ptr<platform::RecordedCpuidSource> dump;
        try {
            dump = std::make_shared<platform::RecordedCpuidSource>(
                platform::RecordedCpuidSource::fromFile(*path));
        } catch (const platform::FileAccessError& error) {
            throw InputError("cannot read the CPUID dump '" + *path + "': " + error.reason());
        }
        replay = std::make_unique<platform::ScopedCpuidSource>(std::move(dump));
    }
    if (parsed.has("--force") && !parsed.has("--record-cpuid"))
        throw UsageError("--force goes with --record-cpuid FILE");
    if (const auto path = parsed.text("--record-cpuid"))
        return recordDump(*path, parsed.has("--force"), out);

    writeReport(out, processorReport(!parsed.has("--no-clock")), parsed.has("--json"));
    return 0;
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

Subcommand cpuCommand()
{
    return {"cpu", std::string(kSummary), cpuArguments().usage("cpu", kSummary), runCpu};
}

} // namespace qv::cli

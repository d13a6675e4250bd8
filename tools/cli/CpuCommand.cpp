#include "tools/cli/CpuCommand.h"

#include "cpu/ProcessorWindowTexts.h"
#include "cpu/cxCPU2kVcl.h"
#include "platform/CpuidDump.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/JsonWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <variant>
#include <vector>

namespace qv::cli {

namespace {

constexpr std::string_view kSummary = "Identify the processor as the processor information window does";
constexpr std::int32_t kWindowDelay = 2000; // the processor window measures the clock for 2 s
constexpr int kUnreadableDumpStatus = 2;

ArgParser cpuArguments()
{
    ArgParser parser;
    parser.option(
        "--cpuid-dump", "FILE",
        "replay the processor recorded in FILE (lines \"CPUID LLLLLLLL: EAX-EBX-ECX-EDX\"); the clock "
        "is this machine's unless a line \"CLOCK MHz\" gives it");
    parser.flag("--no-clock", "skip the 2-second clock measurement (Speed and RawSpeed stay 0)");
    parser.flag("--json", "one JSON object whose keys are the record's property names");
    parser.option("--record-cpuid", "FILE", "write this processor's CPUID leaves to FILE in the dump format");
    return parser;
}

// One value of the report: a flag, a 32-bit signed number, a measured speed or a text.
using Value = std::variant<bool, std::int32_t, float, QString>;

struct Field {
    std::string name;
    Value value;
};

// A top-level entry: either one value or a group of values (a sub-object of the record).
struct Entry {
    std::string name;
    std::vector<Field> members; // a group when not empty
    Value value = false;
};

using Report = std::vector<Entry>;

std::string shortestText(float value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

JsonValue jsonValue(const Value& value)
{
    return std::visit(
        [](const auto& v) -> JsonValue {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>)
                return JsonValue(v.toStdString());
            else if constexpr (std::is_same_v<T, float>)
                // The float's own shortest digits, not those of its widened double.
                return JsonValue(std::stod(shortestText(v)));
            else
                return JsonValue(v);
        },
        value);
}

// Texts are quoted so that blanks at either end show; zero characters read as \0.
std::string plainText(const Value& value)
{
    return std::visit(
        [](const auto& v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>) {
                std::string text = v.toStdString();
                std::string shown = "\"";
                for (const char c : text)
                    shown += c == '\0' ? std::string("\\0") : std::string(1, c);
                return shown + '"';
            } else if constexpr (std::is_same_v<T, float>) {
                return shortestText(v);
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? "true" : "false";
            } else {
                return std::to_string(v);
            }
        },
        value);
}

Entry group(std::string name, std::vector<Field> members)
{
    return {std::move(name), std::move(members)};
}

Entry single(std::string name, Value value)
{
    return {std::move(name), {}, std::move(value)};
}

// The record as it stands after Loaded (FullName may hold the brand string), then the window's lines.
Report buildReport(const cpu::TcxCPU2000& record, const cpu::ProcessorWindowTexts& texts,
                   const QString& loadedFullName)
{
    const auto& info = record.InternalResults();
    std::vector<Field> flags;
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
    };
}

void writeJson(std::ostream& out, const Report& report)
{
    JsonObject object;
    for (const Entry& entry : report) {
        if (entry.members.empty()) {
            object.add(entry.name, jsonValue(entry.value));
            continue;
        }
        JsonObject members;
        for (const Field& field : entry.members)
            members.add(field.name, jsonValue(field.value));
        object.add(entry.name, members);
    }
    writeJsonLine(out, object);
}

void writeText(std::ostream& out, const Report& report)
{
    std::vector<std::pair<std::string, std::string>> lines;
    for (const Entry& entry : report) {
        if (entry.members.empty())
            lines.emplace_back(entry.name, plainText(entry.value));
        for (const Field& field : entry.members)
            lines.emplace_back(entry.name + '.' + field.name, plainText(field.value));
    }
    std::size_t width = 0;
    for (const auto& line : lines)
        width = std::max(width, line.first.size());
    for (auto& [name, value] : lines) {
        name.resize(width, ' ');
        out << name << "  " << value << '\n';
    }
}

int recordDump(const std::string& path, std::ostream& out)
{
    const std::string dump = platform::recordCpuidDump(platform::installedCpuidSource());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << dump;
    file.close();
    if (!file)
        throw std::runtime_error("cannot write the CPUID dump '" + path + "': " + std::strerror(errno));
    const auto leaves = std::count(dump.begin(), dump.end(), '\n') - 1;
    out << "Recorded " << leaves << " CPUID leaves in " << path << '\n';
    return 0;
}

int runCpu(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = cpuArguments().parse(args);
    std::unique_ptr<platform::ScopedCpuidSource> replay;
    if (const auto path = parsed.text("--cpuid-dump")) {
        auto dump = platform::RecordedCpuidSource::fromFile(*path);
        if (!dump) {
            const int reason = errno; // before anything else can change it
            err << "quorvex-cli cpu: cannot read the CPUID dump '" << *path << "': " << std::strerror(reason)
                << '\n';
            return kUnreadableDumpStatus;
        }
        replay = std::make_unique<platform::ScopedCpuidSource>(
            std::make_shared<platform::RecordedCpuidSource>(std::move(*dump)));
    }
    if (const auto path = parsed.text("--record-cpuid"))
        return recordDump(*path, out);

    // As the processor window's form loader does: construct, apply the stored settings, then Loaded.
    cpu::TcxCPU2000 record;
    record.AutoBench().setEnabled(!parsed.has("--no-clock"));
    record.AutoBench().setDelay(kWindowDelay);
    record.Loaded();
    const QString loadedFullName = record.FullName();
    const cpu::ProcessorWindowTexts texts = cpu::FillProcessorWindowTexts(record);

    const Report report = buildReport(record, texts, loadedFullName);
    if (parsed.has("--json"))
        writeJson(out, report);
    else
        writeText(out, report);
    return 0;
}

} // namespace

Subcommand cpuCommand()
{
    return {"cpu", std::string(kSummary), cpuArguments().usage("cpu", kSummary), runCpu};
}

} // namespace qv::cli

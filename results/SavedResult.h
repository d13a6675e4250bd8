#pragma once

#include "results/JsonWriter.h"
#include "results/RunConditions.h"

#include <QByteArray>

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qv::results {

inline constexpr std::string_view kResultSchema = "quorvex-bench-result";
// Rises only for a change that readers of the previous version cannot take; new keys do not raise it.
inline constexpr int kResultSchemaVersion = 1;

// A machine report ("quorvex-cli report --format json") holds saved results in its Benchmarks list.
inline constexpr std::string_view kReportSchema = "quorvex-report";
inline constexpr int kReportSchemaVersion = 1;

// Overall: every benchmark that could run here, as their indices and the combined index.
enum class Benchmark { Cpu, Mem, Disk, Display2D, Display3D, Net, Inet, Overall };

// "cpu" / "mem" / "disk" / "2d" / "3d" / "net" / "inet" / "all", as on the command line and in the files.
std::string_view benchmarkName(Benchmark benchmark);
std::optional<Benchmark> benchmarkFromName(std::string_view name);

// The figures one run of a benchmark yields, in output order, and the indices among them.
std::span<const std::string_view> figureNames(Benchmark benchmark);
std::span<const std::string_view> indexNames(Benchmark benchmark);

struct Figure {
    std::string name;
    double value = 0;

    bool operator==(const Figure&) const = default;
};
using Figures = std::vector<Figure>;

// Adds the figures as members, whole numbers (the indices, and any figure that happens to be whole)
// written as integers.
JsonObject& addFigures(JsonObject& object, const Figures& figures);
bool isWholeNumber(double value);

// The value of the named figure; 0 when it is not among them.
double figureValue(const Figures& figures, std::string_view name);

struct BenchRun {
    Figures figures;
    RunConditions conditions;

    bool operator==(const BenchRun&) const = default;
};

// The machine a result was measured on. The key tells machines apart without handing over the
// system's own identifier.
struct MachineIdentity {
    std::string machineKey; // 16 hexadecimal digits; "" where the system has no identifier
    std::string hostName;
    std::string vendor;
    std::string fullName;
    std::int32_t signature = 0; // processor type, family, model and stepping as CPUID leaf 1 gives them
    std::int32_t count = 0;     // processors
    std::string kernel;         // the operating system's kernel release

    bool operator==(const MachineIdentity&) const = default;
};

// How a benchmark was set up, beside the run conditions: the disk benchmark's folder, drive and method.
// Kept in key order, as the files hold them.
using SetupFacts = std::map<std::string, std::string>;
JsonObject setupJson(const SetupFacts& setup);

struct SavedResult {
    int schemaVersion = kResultSchemaVersion;
    std::string program;
    std::string created; // UTC, ISO 8601
    std::string label;
    Benchmark benchmark = Benchmark::Cpu;
    int kernelRevision = 0;
    MachineIdentity machine;
    std::vector<BenchRun> runs;
    Figures summary; // the median of every figure over the runs
    bool reliable = true;
    std::vector<std::string> warnings;
    SetupFacts setup; // written as "Setup" when there are any

    bool operator==(const SavedResult&) const = default;
};

// A saved result written by a later program whose format this one cannot read.
class NewerFormatError : public std::runtime_error {
public:
    explicit NewerFormatError(int version);
    int version() const { return m_version; }

private:
    int m_version;
};

// The JSON form: one object, keys in the documented order.
JsonObject savedResultJson(const SavedResult& result);

// Reads a saved result from a file's bytes. Unknown keys are ignored. Throws NewerFormatError for a
// later SchemaVersion and FormatError (what is wrong, and where) for anything else that is not a
// saved result of ours.
SavedResult parseSavedResult(const QByteArray& bytes);

// The saved results of a saved-result file (one) or of a machine report (each of its benchmark
// sessions, perhaps none), with the errors of parseSavedResult.
std::vector<SavedResult> parseSavedResults(const QByteArray& bytes);

// 16 hexadecimal digits of the SHA-256 of the system's machine identifier and a key of our own.
std::string machineKeyOf(std::string_view machineId);

} // namespace qv::results

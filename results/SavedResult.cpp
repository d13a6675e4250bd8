#include "results/SavedResult.h"

#include "bench/display/DisplayTests.h"
#include "results/JsonReader.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace qv::results {

namespace {

constexpr std::array<std::string_view, 7> kCpuFigures{
    "DhrystoneRate", "WhetstoneRate", "LivermoreMflops", "AluIndex", "FpuIndex", "GeneralIndex", "ElapsedMs"};
constexpr std::array<std::string_view, 3> kMemFigures{"ElapsedMs", "Speed", "MemoryIndex"};
constexpr std::array<std::string_view, 3> kCpuIndices{"AluIndex", "FpuIndex", "GeneralIndex"};
constexpr std::array<std::string_view, 1> kMemIndices{"MemoryIndex"};
constexpr std::array<std::string_view, 1> kDiskIndices{"DiskIndex"};
constexpr std::array<std::string_view, 1> kDisplay2DIndices{"Display2DIndex"};
constexpr std::array<std::string_view, 1> kDisplay3DIndices{"Display3DIndex"};
constexpr std::array<std::string_view, 6> kNetFigures{"DownloadMbps", "UploadMbps",    "LatencyMedianMs",
                                                      "LatencyP95Ms", "DownloadBytes", "UploadBytes"};
constexpr std::array<std::string_view, 2> kNetIndices{"DownloadMbps", "UploadMbps"};
constexpr std::array<std::string_view, 4> kInetFigures{"FirstByteMs", "DownloadMbps", "DownloadBytes",
                                                       "Redirects"};
constexpr std::array<std::string_view, 1> kInetIndices{"DownloadMbps"};
constexpr std::array<std::string_view, 6> kOverallFigures{"GeneralIndex",   "MemoryIndex",    "DiskIndex",
                                                          "Display2DIndex", "Display3DIndex", "OverallIndex"};
constexpr std::array<std::string_view, 1> kOverallIndices{"OverallIndex"};

// Each test of the disk benchmark, read then write: rate, operations, mean and 99th-percentile latency.
std::vector<std::string_view> diskFigureNames()
{
    static const std::vector<std::string> kNames = [] {
        std::vector<std::string> names;
        for (const char* test : {"Seq1MQ8", "Seq1MQ1", "Rnd4KQ32", "Rnd4KQ1"}) {
            for (const char* direction : {"Read", "Write"}) {
                for (const char* figure : {"MBs", "Iops", "MeanLatencyUs", "P99LatencyUs"})
                    names.push_back(std::string(test) + direction + figure);
            }
        }
        names.emplace_back("DiskIndex");
        return names;
    }();
    return {kNames.begin(), kNames.end()};
}

// Each test of a display benchmark: 2D operations per second; 3D frames and triangles per second. Then the
// screen's scale (2D) and the index.
std::vector<std::string> displayFigureNames(bench::display::DisplayKind kind)
{
    const bool twoD = kind == bench::display::DisplayKind::TwoD;
    std::vector<std::string> names;
    for (const bench::display::DisplayTest& test : bench::display::displayTests(kind)) {
        for (const char* figure : twoD ? std::vector{"PerSecond"} : std::vector{"Fps", "TrianglesPerSecond"})
            names.push_back(std::string(test.key) + figure);
    }
    if (twoD)
        names.emplace_back("Scale");
    names.emplace_back(twoD ? "Display2DIndex" : "Display3DIndex");
    return names;
}

// Mixed into the machine identifier before hashing, so that the key cannot be matched against the
// identifier's hash as other programs compute it.
constexpr std::string_view kMachineKeySalt = "quorvex-bench-result machine key";

// Indices are signed 32-bit figures; rates and times far beyond any machine's are not measurements.
constexpr double kMaxIndex = std::numeric_limits<std::int32_t>::max();
constexpr double kMaxFigure = 1e15;

// The benchmark's figures, all required; other keys of the object are ignored.
Figures readFigures(const JsonReader& object, Benchmark benchmark)
{
    const auto indices = indexNames(benchmark);
    Figures figures;
    for (const std::string_view name : figureNames(benchmark)) {
        const double value = object.number(name);
        const bool index = std::find(indices.begin(), indices.end(), name) != indices.end();
        if (value > (index ? kMaxIndex : kMaxFigure))
            throw FormatError(object.path(name) + " is too large");
        figures.push_back({std::string(name), value});
    }
    return figures;
}

std::int32_t readInt32(const JsonReader& object, std::string_view key)
{
    const std::int64_t value = object.wholeNumber(key);
    if (value > std::numeric_limits<std::int32_t>::max())
        throw FormatError(object.path(key) + " is too large");
    return static_cast<std::int32_t>(value);
}

MachineIdentity readMachine(const JsonReader& machine)
{
    return {machine.text("MachineKey"), machine.text("HostName"),        machine.text("Vendor"),
            machine.text("FullName"),   readInt32(machine, "Signature"), readInt32(machine, "Count"),
            machine.text("Kernel")};
}

void checkVersion(const JsonReader& root, int readable)
{
    const std::int64_t version = root.wholeNumber("SchemaVersion");
    if (version > readable)
        throw NewerFormatError(int(std::min<std::int64_t>(version, std::numeric_limits<int>::max())));
    if (version < 1)
        throw FormatError(root.path("SchemaVersion") + " is 0");
}

SavedResult readResult(const JsonReader& root)
{
    if (const std::string schema = root.text("Schema"); schema != kResultSchema)
        throw FormatError(root.path("Schema") + " is \"" + schema + "\", not \"" +
                          std::string(kResultSchema) + '"');
    checkVersion(root, kResultSchemaVersion);
    SavedResult result;
    result.schemaVersion = int(root.wholeNumber("SchemaVersion"));
    result.program = root.text("Program");
    result.created = root.text("Created");
    result.label = root.text("Label");
    const std::string benchmark = root.text("Benchmark");
    const auto known = benchmarkFromName(benchmark);
    if (!known)
        throw FormatError(root.path("Benchmark") + " \"" + benchmark +
                          "\" is none of cpu, mem, disk, 2d, 3d, net, inet and all");
    result.benchmark = *known;
    result.kernelRevision = readInt32(root, "KernelRevision");
    result.machine = readMachine(root.object("Machine"));
    const qsizetype runCount = root.array("Runs").size();
    if (runCount == 0)
        throw FormatError(root.path("Runs") + " is empty");
    for (qsizetype i = 0; i < runCount; ++i) {
        const JsonReader run = root.element("Runs", i);
        result.runs.push_back({readFigures(run, result.benchmark),
                               run.has("Conditions") ? conditionsFromJson(run.object("Conditions").json(),
                                                                          run.path("Conditions"))
                                                     : RunConditions()});
    }
    result.summary = readFigures(root.object("Summary"), result.benchmark);
    result.reliable = root.flag("Reliable");
    result.warnings = root.texts("Warnings");
    if (root.has("Setup")) {
        const JsonReader setup = root.object("Setup");
        for (const QString& key : setup.json().keys())
            result.setup[key.toStdString()] = setup.text(key.toStdString());
    }
    return result;
}

QJsonObject documentObject(const QByteArray& bytes)
{
    if (bytes.trimmed().isEmpty())
        throw FormatError("the file is empty");
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw FormatError(error.errorString().toStdString() + " at byte " + std::to_string(error.offset));
    if (!document.isObject())
        throw FormatError("the file holds no JSON object");
    return document.object();
}

} // namespace

std::string_view benchmarkName(Benchmark benchmark)
{
    switch (benchmark) {
    case Benchmark::Cpu:
        return "cpu";
    case Benchmark::Mem:
        return "mem";
    case Benchmark::Display2D:
        return "2d";
    case Benchmark::Display3D:
        return "3d";
    case Benchmark::Net:
        return "net";
    case Benchmark::Inet:
        return "inet";
    case Benchmark::Overall:
        return "all";
    case Benchmark::Disk:
        break;
    }
    return "disk";
}

std::optional<Benchmark> benchmarkFromName(std::string_view name)
{
    if (name == "cpu")
        return Benchmark::Cpu;
    if (name == "mem")
        return Benchmark::Mem;
    if (name == "disk")
        return Benchmark::Disk;
    if (name == "2d")
        return Benchmark::Display2D;
    if (name == "3d")
        return Benchmark::Display3D;
    if (name == "net")
        return Benchmark::Net;
    if (name == "inet")
        return Benchmark::Inet;
    if (name == "all")
        return Benchmark::Overall;
    return std::nullopt;
}

std::span<const std::string_view> figureNames(Benchmark benchmark)
{
    if (benchmark == Benchmark::Cpu)
        return kCpuFigures;
    if (benchmark == Benchmark::Disk) {
        static const std::vector<std::string_view> kDiskFigures = diskFigureNames();
        return kDiskFigures;
    }
    if (benchmark == Benchmark::Display2D) {
        static const std::vector<std::string> kNames = displayFigureNames(bench::display::DisplayKind::TwoD);
        static const std::vector<std::string_view> k2DFigures(kNames.begin(), kNames.end());
        return k2DFigures;
    }
    if (benchmark == Benchmark::Display3D) {
        static const std::vector<std::string> kNames =
            displayFigureNames(bench::display::DisplayKind::ThreeD);
        static const std::vector<std::string_view> k3DFigures(kNames.begin(), kNames.end());
        return k3DFigures;
    }
    if (benchmark == Benchmark::Net)
        return kNetFigures;
    if (benchmark == Benchmark::Inet)
        return kInetFigures;
    if (benchmark == Benchmark::Overall)
        return kOverallFigures;
    return kMemFigures;
}

std::span<const std::string_view> indexNames(Benchmark benchmark)
{
    if (benchmark == Benchmark::Cpu)
        return kCpuIndices;
    if (benchmark == Benchmark::Disk)
        return kDiskIndices;
    if (benchmark == Benchmark::Display2D)
        return kDisplay2DIndices;
    if (benchmark == Benchmark::Display3D)
        return kDisplay3DIndices;
    if (benchmark == Benchmark::Net)
        return kNetIndices;
    if (benchmark == Benchmark::Inet)
        return kInetIndices;
    if (benchmark == Benchmark::Overall)
        return kOverallIndices;
    return kMemIndices;
}

double figureValue(const Figures& figures, std::string_view name)
{
    const auto found = std::find_if(figures.begin(), figures.end(),
                                    [&](const Figure& figure) { return figure.name == name; });
    return found == figures.end() ? 0 : found->value;
}

bool isWholeNumber(double value)
{
    return value == std::trunc(value) && std::fabs(value) < 1e15;
}

JsonObject& addFigures(JsonObject& object, const Figures& figures)
{
    for (const Figure& figure : figures) {
        const double value = figure.value;
        object.add(figure.name,
                   isWholeNumber(value) ? JsonValue(static_cast<std::int64_t>(value)) : JsonValue(value));
    }
    return object;
}

NewerFormatError::NewerFormatError(int version)
    : std::runtime_error("format " + std::to_string(version))
    , m_version(version)
{
}

JsonObject setupJson(const SetupFacts& setup)
{
    JsonObject object;
    for (const auto& [key, value] : setup)
        object.add(key, value);
    return object;
}

JsonObject savedResultJson(const SavedResult& result)
{
    const MachineIdentity& machine = result.machine;
    JsonArray runs;
    for (std::size_t i = 0; i < result.runs.size(); ++i) {
        JsonObject run = JsonObject().add("Run", i + 1);
        addFigures(run, result.runs[i].figures);
        runs.add(run.add("Conditions", conditionsJson(result.runs[i].conditions)));
    }
    JsonObject summary;
    addFigures(summary, result.summary);
    JsonObject json = JsonObject()
                          .add("Schema", kResultSchema)
                          .add("SchemaVersion", result.schemaVersion)
                          .add("Program", result.program)
                          .add("Created", result.created)
                          .add("Label", result.label)
                          .add("Benchmark", benchmarkName(result.benchmark))
                          .add("KernelRevision", result.kernelRevision)
                          .add("Machine", JsonObject()
                                              .add("MachineKey", machine.machineKey)
                                              .add("HostName", machine.hostName)
                                              .add("Vendor", machine.vendor)
                                              .add("FullName", machine.fullName)
                                              .add("Signature", machine.signature)
                                              .add("Count", machine.count)
                                              .add("Kernel", machine.kernel))
                          .add("Runs", runs)
                          .add("Summary", summary)
                          .add("Reliable", result.reliable)
                          .add("Warnings", textArray(result.warnings));
    if (!result.setup.empty())
        json.add("Setup", setupJson(result.setup));
    return json;
}

SavedResult parseSavedResult(const QByteArray& bytes)
{
    return readResult(JsonReader(documentObject(bytes), {}));
}

std::vector<SavedResult> parseSavedResults(const QByteArray& bytes)
{
    const JsonReader root(documentObject(bytes), {});
    if (root.optionalText("Schema") != kReportSchema)
        return {readResult(root)};
    checkVersion(root, kReportSchemaVersion);
    std::vector<SavedResult> results;
    const qsizetype count = root.array("Benchmarks").size();
    results.reserve(std::size_t(count));
    for (qsizetype i = 0; i < count; ++i)
        results.push_back(readResult(root.element("Benchmarks", i)));
    return results;
}

std::string machineKeyOf(std::string_view machineId)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(kMachineKeySalt.data(), qsizetype(kMachineKeySalt.size())));
    hash.addData(QByteArrayView(machineId.data(), qsizetype(machineId.size())));
    return hash.result().toHex().left(16).toStdString();
}

} // namespace qv::results

// "quorvex-cli cpu" on recorded dumps: the JSON below is written by hand from the dumps' registers and
// the naming, cache and characteristics tables.
#include "tools/cli/CpuCommand.h"
#include "platform/SystemFacts.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/Fifo.h"
#include "tests/support/TestSupport.h"
#include "tools/cli/Cli.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

// Runs "quorvex-cli cpu ARGS" with the system reporting two Pentium-class processors.
Result runCpu(std::vector<std::string> args, bool scriptedSystem = true)
{
    std::optional<qv::platform::ScopedSystemInfoProvider> system;
    if (scriptedSystem)
        system.emplace([] { return qv::platform::SystemInfo{2, 586}; });
    qv::cli::CommandRegistry registry;
    registry.add(qv::cli::cpuCommand());
    args.insert(args.begin(), "cpu");
    std::ostringstream out;
    std::ostringstream err;
    const int status = qv::cli::runCli(registry, args, out, err);
    return {status, out.str(), err.str()};
}

std::string dump(const std::string& name)
{
    return std::string(QV_SOURCE_DIR) + "/tests/cpu/dumps/" + name;
}

constexpr const char* kAllFlagsButSerial =
    R"j("FeatureSet":{"FPU":true,"VME":true,"DE":true,"PSE":true,"TSC":true,"MSR":true,"PAE":true,"MCE":true,)j"
    R"j("CX8":true,"APIC":true,"SEP":true,"MTRR":true,"PGE":true,"MCA":true,"CMOV":true,"PAT":true,"PSE36":true,)j"
    R"j("SERIAL":false,"MMX":true,"XSR":true,"SIMD":true},)j";

constexpr const char* kSixteenLit =
    R"j("FPU":true,"VME":true,"DE":true,"PSE":true,"TSC":true,"MSR":true,"PAE":true,"MCE":true,"CX8":true,)j"
    R"j("APIC":true,"MTRR":true,"PGE":true,"MCA":true,"CMOV":true,"MMX":true,"SIMD":true}})j";

struct JsonCase {
    const char* name;
    std::vector<std::string> args;
    std::string json;
};

class CpuJson : public testing::TestWithParam<JsonCase> {};

TEST_P(CpuJson, IsExactlyTheRecord)
{
    const Result result = runCpu(GetParam().args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, GetParam().json + '\n');
}

INSTANTIATE_TEST_SUITE_P(
    Dumps, CpuJson,
    testing::Values(
        JsonCase{
            "NorthwoodKeepsItsBrandWithZeroByte",
            {"--cpuid-dump", dump("intel-pentium4-northwood.txt"), "--no-clock", "--json"},
            std::string(R"j({"CPUID":{"Available":true,"MaxLevel":2,"MaxLevelEx":4},)j"
                        R"j("InternalResults":{"VendorID":"GenuineIntel","Signature":3879,"cpuType":0,)j"
                        R"j("cpuFamily":15,"cpuModel":2,"cpuStepping":7,"FeatureSet":-1075053569,)j"
                        R"j("FeatureSetEx":0},)j") +
                kAllFlagsButSerial +
                R"j("FeatureSetEx":{"AMD3DNow":false,"AMD3DNowEx":false,"MMXEx":false},)j"
                R"j("Cache":{"L1Data":0,"L1Code":0,"Level1":0,"Level2":0},"Count":2,)j"
                R"j("CPU":"Celeron (core P4)","FDivBug":false,)j"
                R"j("FullName":"              Intel(R) Pentium(R) 4 CPU 2.40GHz\u0000","MMX":true,)j"
                R"j("OverDrive":false,"Serial":"","Speed":0,"RawSpeed":0,"Vendor":"Intel Corporation",)j"
                R"j("Characteristics":{"Name":"Celeron (core P4)","DataBus":"?","AddressBus":"?",)j"
                R"j("L1Size":"?","L1Kind":"?","L2Size":"?","L2Kind":"?","Socket":"?","Class":"P6",)j"
                R"j("ExternalFrequency":0,"PciFrequency":33,"SuffixE":""},)j"
                R"j("Window":{"TypeProcesseur":"Intel Celeron (core P4) at 0 Mhz","BusDonnees":"?",)j"
                R"j("BusAdresse":"?","Copro":true,"SupportMMX":true,"Support3DNow":false,"SupportSIMD":true,)j"
                R"j("TabSheet2":true,"Classe":"P6","Modele":"Celeron (core P4)","Frequence":"0 Mhz",)j"
                R"j("Marque":"Intel Corporation","FrequenceInterne":"0 Mhz","FrequenceExterne":"?",)j"
                R"j("FrequencePCI":"33 Mhz","TailleCacheL1":"?","TypeCacheL1":"?","TailleCacheL2":"?",)j"
                R"j("TypeCacheL2":"?","Standard":true,"OverDrive":false,"TypeSupport":"?",)j" +
                kSixteenLit},
        JsonCase{
            "CoppermineWithDescriptor82",
            {"--cpuid-dump", dump("intel-pentium3-coppermine.txt"), "--no-clock", "--json"},
            std::string(
                R"j({"CPUID":{"Available":true,"MaxLevel":3,"MaxLevelEx":0},)j"
                R"j("InternalResults":{"VendorID":"GenuineIntel","Signature":1667,"cpuType":0,"cpuFamily":6,)j"
                R"j("cpuModel":8,"cpuStepping":3,"FeatureSet":59243519,"FeatureSetEx":0},)j"
                R"j("FeatureSet":{"FPU":true,"VME":true,"DE":true,"PSE":true,"TSC":true,"MSR":true,"PAE":true,)j"
                R"j("MCE":true,"CX8":true,"APIC":true,"SEP":true,"MTRR":true,"PGE":true,"MCA":true,"CMOV":true,)j"
                R"j("PAT":true,"PSE36":true,"SERIAL":true,"MMX":true,"XSR":true,"SIMD":true},)j"
                R"j("FeatureSetEx":{"AMD3DNow":false,"AMD3DNowEx":false,"MMXEx":false},)j"
                R"j("Cache":{"L1Data":16,"L1Code":16,"Level1":0,"Level2":256},"Count":2,)j"
                R"j("CPU":"Pentium III (0.18µ)","FDivBug":false,"FullName":"Intel Pentium III (0.18µ)",)j"
                R"j("MMX":true,"OverDrive":false,"Serial":"0000-0683-0123-4567-89AB-CDEF","Speed":0,)j"
                R"j("RawSpeed":0,"Vendor":"Intel Corporation","Characteristics":{"Name":"Pentium III (0.18µ)",)j"
                R"j("DataBus":"64 bits","AddressBus":"32 bits","L1Size":"32 Ko",)j"
                R"j("L1Kind":"Intégré - Séparé (D/I)","L2Size":"256 Ko","L2Kind":"Full speed cache",)j"
                R"j("Socket":"Slot 1","Class":"P6","ExternalFrequency":0,"PciFrequency":33,)j"
                R"j("SuffixE":" série E"},)j"
                R"j("Window":{"TypeProcesseur":"Intel Pentium III (0.18µ) at 0 Mhz série E","BusDonnees":"64 bits",)j"
                R"j("BusAdresse":"32 bits","Copro":true,"SupportMMX":true,"Support3DNow":false,"SupportSIMD":true,)j"
                R"j("TabSheet2":true,"Classe":"P6","Modele":"Pentium III (0.18µ)","Frequence":"0 Mhz",)j"
                R"j("Marque":"Intel Corporation","FrequenceInterne":"0 Mhz","FrequenceExterne":"?",)j"
                R"j("FrequencePCI":"33 Mhz","TailleCacheL1":"32 Ko","TypeCacheL1":"Intégré - Séparé (D/I)",)j"
                R"j("TailleCacheL2":"256 Ko","TypeCacheL2":"Full speed cache","Standard":true,"OverDrive":false,)j"
                R"j("TypeSupport":"Slot 1",)j") +
                kSixteenLit},
        JsonCase{
            "NoCpuidMeasuresNothingAndStopsEarly",
            {"--cpuid-dump", dump("no-cpuid.txt"), "--json"},
            R"j({"CPUID":{"Available":false,"MaxLevel":0,"MaxLevelEx":0},)j"
            R"j("InternalResults":{"VendorID":"Unknown","Signature":0,"cpuType":0,"cpuFamily":0,)j"
            R"j("cpuModel":0,"cpuStepping":0,"FeatureSet":0,"FeatureSetEx":0},)j"
            R"j("FeatureSet":{"FPU":false,"VME":false,"DE":false,"PSE":false,"TSC":false,"MSR":false,)j"
            R"j("PAE":false,"MCE":false,"CX8":false,"APIC":false,"SEP":false,"MTRR":false,"PGE":false,)j"
            R"j("MCA":false,"CMOV":false,"PAT":false,"PSE36":false,"SERIAL":false,"MMX":false,"XSR":false,)j"
            R"j("SIMD":false},"FeatureSetEx":{"AMD3DNow":false,"AMD3DNowEx":false,"MMXEx":false},)j"
            R"j("Cache":{"L1Data":0,"L1Code":0,"Level1":0,"Level2":0},"Count":2,"CPU":"Pentium class",)j"
            R"j("FDivBug":false,"FullName":"Unknown Pentium class","MMX":false,"OverDrive":false,)j"
            R"j("Serial":"","Speed":25,"RawSpeed":0,"Vendor":"Unknown Vendor",)j"
            R"j("Characteristics":{"Name":"Pentium class","DataBus":"?","AddressBus":"?","L1Size":"?",)j"
            R"j("L1Kind":"?","L2Size":"?","L2Kind":"?","Socket":"?","Class":"?","ExternalFrequency":0,)j"
            R"j("PciFrequency":0,"SuffixE":""},)j"
            // Only the general page shows: its lights are out and the detailed page's controls null.
            R"j("Window":{"TypeProcesseur":"Unknown Pentium class at 25 Mhz","BusDonnees":"?",)j"
            R"j("BusAdresse":"?","Copro":false,"SupportMMX":false,"Support3DNow":false,"SupportSIMD":false,)j"
            R"j("TabSheet2":false,"Classe":null,"Modele":null,"Frequence":null,"Marque":null,)j"
            R"j("FrequenceInterne":null,"FrequenceExterne":null,"FrequencePCI":null,"TailleCacheL1":null,)j"
            R"j("TypeCacheL1":null,"TailleCacheL2":null,"TypeCacheL2":null,"Standard":null,"OverDrive":null,)j"
            R"j("TypeSupport":null,"FPU":null,"VME":null,"DE":null,"PSE":null,"TSC":null,"MSR":null,)j"
            R"j("PAE":null,"MCE":null,"CX8":null,"APIC":null,"MTRR":null,"PGE":null,"MCA":null,"CMOV":null,)j"
            R"j("MMX":null,"SIMD":null}})j"}),
    qv::test::RowName());

QJsonObject jsonOf(const Result& result)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object();
}

TEST(CpuCommand, AProcessorWithoutTscReportsMinusOne)
{
    const QJsonObject record = jsonOf(runCpu({"--cpuid-dump", dump("nexgen-nx586.txt"), "--json"}));
    EXPECT_EQ(record.value(QStringLiteral("RawSpeed")).toDouble(), -1.0);
    EXPECT_EQ(record.value(QStringLiteral("Speed")).toInt(), 25);
    EXPECT_EQ(record.value(QStringLiteral("Characteristics"))
                  .toObject()
                  .value(QStringLiteral("PciFrequency"))
                  .toInt(),
              33);
}

TEST(CpuCommand, ADumpsClockLineIsTheMeasuredClock)
{
    const QString path = QDir(qv::test::scratchDirectory()).filePath(QStringLiteral("k6.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(qv::test::loadDumpText("amd-k6-2.txt")) + "CLOCK 350.4\n");
    file.close();
    const QJsonObject record = jsonOf(runCpu({"--cpuid-dump", path.toStdString(), "--json"}));
    EXPECT_FLOAT_EQ(float(record.value(QStringLiteral("RawSpeed")).toDouble()), 350.4f);
    EXPECT_EQ(record.value(QStringLiteral("Speed")).toInt(), 350);
}

TEST(CpuCommand, KeysComeInTheDocumentedOrder)
{
    const Result result = runCpu({"--cpuid-dump", dump("amd-k6-2.txt"), "--no-clock", "--json"});
    const std::vector<std::string> keys = {"\"CPUID\"",      "\"InternalResults\"",
                                           "\"FeatureSet\"", "\"FeatureSetEx\"",
                                           "\"Cache\"",      "\"Count\"",
                                           "\"CPU\"",        "\"FDivBug\"",
                                           "\"FullName\"",   "\"MMX\"",
                                           "\"OverDrive\"",  "\"Serial\"",
                                           "\"Speed\"",      "\"RawSpeed\"",
                                           "\"Vendor\"",     "\"Characteristics\"",
                                           "\"Window\""};
    std::size_t position = 0;
    for (const std::string& key : keys) {
        const std::size_t found = result.out.find(key + ":{", position) != std::string::npos
                                      ? result.out.find(key + ":{", position)
                                      : result.out.find(key + ':', position);
        ASSERT_NE(found, std::string::npos) << key;
        position = found;
    }
    EXPECT_NE(result.out.find(R"j("FullName":"AMD-K6(tm) 3D processor\u0000)j"), std::string::npos)
        << result.out;
}

TEST(CpuCommand, TextOutputAlignsTheValues)
{
    const Result result = runCpu({"--cpuid-dump", dump("intel-pentium3-coppermine.txt"), "--no-clock"});
    ASSERT_EQ(result.status, 0);
    std::istringstream lines(result.out);
    std::size_t column = std::string::npos;
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const std::size_t gap = line.find("  ");
        ASSERT_NE(gap, std::string::npos) << line;
        const std::size_t value = line.find_first_not_of(' ', gap);
        if (column == std::string::npos)
            column = value;
        EXPECT_EQ(value, column) << line;
    }
    EXPECT_EQ(count, 3 + 8 + 21 + 3 + 4 + 10 + 12 + 38);
    EXPECT_NE(result.out.find("Characteristics.SuffixE"), std::string::npos);
    EXPECT_NE(result.out.find("Window.TypeProcesseur"), std::string::npos);
    EXPECT_NE(result.out.find("\"Pentium III (0.18µ)\"\n"), std::string::npos);
    EXPECT_NE(result.out.find("\"0000-0683-0123-4567-89AB-CDEF\"\n"), std::string::npos);
}

TEST(CpuCommand, AnUnreadableDumpIsAnErrorWithStatusTwo)
{
    const std::pair<std::string, std::string> cases[] = {
        {dump("no-such-dump.txt"), "No such file or directory"},
        {dump(""), "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        const Result result = runCpu({"--cpuid-dump", path, "--json"});
        EXPECT_EQ(result.status, 2) << path;
        EXPECT_TRUE(result.out.empty()) << path;
        EXPECT_EQ(result.err, "quorvex-cli cpu: cannot read the CPUID dump '" + path + "': " + reason + '\n');
    }
}

TEST(CpuCommand, AFifoOrAnEndlessDeviceAsDumpIsRefusedAtOnce)
{
    const std::string fifo =
        QDir(qv::test::scratchDirectory()).filePath(QStringLiteral("dump")).toStdString();
    ASSERT_TRUE(qv::test::makeFifo(fifo));
    Result fromFifo;
    EXPECT_TRUE(qv::test::endsWithoutAWriter(fifo, [&] { fromFifo = runCpu({"--cpuid-dump", fifo}); }));
    EXPECT_EQ(fromFifo.status, 2);
    EXPECT_EQ(fromFifo.err,
              "quorvex-cli cpu: cannot read the CPUID dump '" + fifo + "': not a regular file\n");

    const Result endless = runCpu({"--cpuid-dump", "/dev/zero"});
    EXPECT_EQ(endless.status, 2);
    EXPECT_EQ(endless.err,
              "quorvex-cli cpu: cannot read the CPUID dump '/dev/zero': larger than 16384 KiB\n");
    // A device the user names is read: an empty one is a processor without CPUID.
    EXPECT_EQ(runCpu({"--cpuid-dump", "/dev/null", "--no-clock"}).status, 0);
}

TEST(CpuCommand, RecordingReplacesAnExistingFileOnlyWithForceAndNeverThroughALink)
{
    const QDir folder(qv::test::scratchDirectory());
    const std::string kept = folder.filePath(QStringLiteral("kept.txt")).toStdString();
    const std::string link = folder.filePath(QStringLiteral("link.txt")).toStdString();
    {
        QFile file(QString::fromStdString(kept));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("mine\n");
    }
    ASSERT_TRUE(QFile::link(QString::fromStdString(kept), QString::fromStdString(link)));
    for (const std::string& path : {kept, link}) {
        const Result refused = runCpu({"--record-cpuid", path}, false);
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err, "quorvex-cli cpu: '" + path + "' exists already; --force replaces it\n");
    }
    QFile file(QString::fromStdString(kept));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("mine\n"));
    file.close();

    ASSERT_EQ(runCpu({"--record-cpuid", kept, "--force"}, false).status, 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readLine().startsWith("# "));
    const Result toStandardOutput = runCpu({"--record-cpuid", "-"}, false);
    EXPECT_EQ(toStandardOutput.out.rfind("# ", 0), 0u) << "the dump itself, with no other line first";
}

TEST(CpuCommand, ReplayingThisMachinesRecordingGivesTheLiveRecord)
{
    const std::string file =
        QString(qv::test::scratchDirectory() + QStringLiteral("/this-machine.txt")).toStdString();
    const Result recorded = runCpu({"--record-cpuid", file}, false);
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    EXPECT_NE(recorded.out.find("CPUID leaves"), std::string::npos);
    QFile written(QString::fromStdString(file));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readLine().startsWith("# "));

    QJsonObject live = jsonOf(runCpu({"--no-clock", "--json"}, false));
    QJsonObject replayed = jsonOf(runCpu({"--cpuid-dump", file, "--no-clock", "--json"}, false));
    ASSERT_FALSE(live.isEmpty());
    // The processor count comes from the operating system, not from the processor.
    live.remove(QStringLiteral("Count"));
    replayed.remove(QStringLiteral("Count"));
    EXPECT_EQ(replayed, live) << QJsonDocument(replayed).toJson().toStdString();
}

} // namespace

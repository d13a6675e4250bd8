// "quorvex-cli report": its sections against the commands' own output, its HTML page, and a run with
// nothing but loopback.
#include "tools/cli/ReportCommand.h"
#include "platform/NameResolver.h"
#include "results/ResultFiles.h"
#include "results/report/ThisMachine.h"
#include "tests/hardware/SmbiosImages.h"
#include "tests/support/FakeTree.h"
#include "tests/sysinfo/ScriptedSystemFacts.h"
#include "tools/cli/StandardCommands.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace {

struct Output {
    int status = 0;
    std::string out;
    std::string err;
};

class ReportCommand : public testing::Test {
protected:
    ReportCommand()
    {
        qv::cli::BenchRunners runners;
        runners.cpu = [] {
            return qv::cli::BenchFigures{
                {"DhrystoneRate", 1e7}, {"WhetstoneRate", 2e6}, {"LivermoreMflops", 900}, {"AluIndex", 800},
                {"FpuIndex", 600},      {"GeneralIndex", 700},  {"ElapsedMs", 1500}};
        };
        runners.mem = [] {
            return qv::cli::BenchFigures{{"ElapsedMs", 20}, {"Speed", 9000}, {"MemoryIndex", 9500}};
        };
        runners.conditions = [this] {
            return qv::results::ConditionsRecorder(qv::platform::RunConditionsProbe(tree.path()),
                                                   std::chrono::milliseconds(0));
        };
        runners.machine = [] {
            return qv::results::MachineIdentity{"0011223344556677", "host", "V", "N", 0, 1, "6.1"};
        };
        registry = withReport(std::move(runners));
    }

    // The standard commands, with a report whose benchmarks are scripted.
    static qv::cli::CommandRegistry withReport(qv::cli::BenchRunners runners)
    {
        const qv::cli::CommandRegistry standard = qv::cli::standardCommands();
        qv::cli::CommandRegistry scripted;
        for (const qv::cli::Subcommand& command : standard.commands()) {
            if (command.name != "report")
                scripted.add(command);
        }
        scripted.add(qv::cli::reportCommand(std::move(runners)));
        return scripted;
    }

    Output run(std::vector<std::string> args) const
    {
        std::ostringstream out;
        std::ostringstream err;
        const int status = qv::cli::runCli(registry, args, out, err);
        return {status, out.str(), err.str()};
    }

    QJsonObject json(std::vector<std::string> args) const
    {
        const Output output = run(std::move(args));
        EXPECT_EQ(output.status, 0) << output.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(output.out)).object();
    }

    qv::test::FakeTree tree;
    qv::test::FakeTree files;
    qv::cli::CommandRegistry registry;
};

TEST_F(ReportCommand, JsonSectionsAreTheCommandsOwnOutput)
{
    const QJsonObject report = json({"report", "--format", "json", "--no-clock"});
    EXPECT_EQ(report.value("Schema").toString(), "quorvex-report");
    EXPECT_EQ(report.value("SchemaVersion").toInt(), 1);
    EXPECT_EQ(report.value("Processor").toObject(), json({"cpu", "--json", "--no-clock"}));

    // The report hands over the machine identifier's key, never the identifier.
    const std::string id = qv::cli::machineIdentifier();
    QByteArray sysText = QByteArray::fromStdString(run({"sys", "--json"}).out);
    if (!id.empty()) {
        EXPECT_FALSE(QJsonDocument(report).toJson().contains(QByteArray::fromStdString(id)));
        sysText.replace(QByteArray::fromStdString(id),
                        QByteArray::fromStdString(qv::results::machineKeyOf(id)));
    }
    QJsonObject system = report.value("System").toObject();
    QJsonObject sys = QJsonDocument::fromJson(sysText).object();
    for (QJsonObject* each : {&system, &sys}) {
        // The clock and the memory in use move on between the two calls.
        QJsonObject texts = each->value("SysInfo").toObject();
        for (const char* moving : {"SystemDate", "SystemTime", "MemoryAvailable", "MemoryUsage",
                                   "SwapFileSize", "SwapFileUsage"}) {
            EXPECT_TRUE(texts.contains(moving)) << moving;
            texts.remove(moving);
        }
        each->insert("SysInfo", texts);
    }
    EXPECT_EQ(system, sys);

    const QJsonObject network = report.value("Network").toObject();
    const QJsonObject localIp = json({"localip", "--json"});
    EXPECT_EQ(network.value("LocalHostName"), localIp.value("LocalHostName"));
    EXPECT_EQ(network.value("LocalIPList"), localIp.value("LocalIPList"));
    EXPECT_TRUE(network.value("NameServers").isArray());
    EXPECT_EQ(report.value("Benchmarks").toArray().size(), 0);

    const Output text = run({"report", "--no-clock"});
    std::ostringstream cpu;
    std::ostringstream unused;
    ASSERT_EQ(qv::cli::runCli(registry, std::vector<std::string>{"cpu", "--no-clock"}, cpu, unused), 0);
    EXPECT_NE(text.out.find("\n[Processor]\n" + cpu.str() + "\n[System]\n"), std::string::npos);
}

TEST_F(ReportCommand, HardwareSectionsAreTheInfoTopicsWithSerialNumbersAsKeys)
{
    qv::test::FakeTree desktop;
    qv::test::writeDesktopTree(desktop);
    const std::string machine = desktop.path().string();
    const QJsonObject report = json({"report", "--format", "json", "--no-clock", "--machine-tree", machine});
    const std::vector<std::string> serials{"S6NVME0001", "SATA0002", "0401USB3", "NW7000-123456",
                                           "BSN-98765",  "1A2B3C4D", "00000000"};
    QByteArray expected[3];
    const char* topics[3] = {"memory", "drives", "board"};
    for (int i = 0; i < 3; ++i) {
        expected[i] =
            QByteArray::fromStdString(run({"info", topics[i], "--json", "--machine-tree", machine}).out);
        for (const auto& serial : serials)
            expected[i].replace(QByteArray::fromStdString('"' + serial + '"'),
                                QByteArray::fromStdString('"' + qv::results::machineKeyOf(serial) + '"'));
    }
    EXPECT_EQ(report.value("Memory").toObject(), QJsonDocument::fromJson(expected[0]).object());
    EXPECT_EQ(report.value("Drives").toObject(), QJsonDocument::fromJson(expected[1]).object());
    EXPECT_EQ(report.value("Board").toObject(), QJsonDocument::fromJson(expected[2]).object());
    EXPECT_EQ(report.value("Drives")["Disks"][0]["SerialNumber"].toString().toStdString(),
              qv::results::machineKeyOf("S6NVME0001"));

    for (const char* format : {"text", "html"}) {
        const Output output = run({"report", "--format", format, "--no-clock", "--machine-tree", machine});
        ASSERT_EQ(output.status, 0) << output.err;
        for (const std::string& serial : serials)
            EXPECT_EQ(output.out.find(serial), std::string::npos) << format << ' ' << serial;
        EXPECT_NE(output.out.find("NW Solid 500"), std::string::npos) << format;
        EXPECT_NE(output.out.find("DIMM_B1"), std::string::npos) << format;
    }
    EXPECT_NE(run({"report", "--no-clock", "--machine-tree", machine}).out.find("\n[Drives]\nnvme0n1  "),
              std::string::npos);
}

TEST_F(ReportCommand, VideoNetworkAndApplicationsWithNamesAndAddressesAsKeys)
{
    qv::test::FakeTree desktop;
    qv::test::writeDesktopTree(desktop);
    const std::string machine = desktop.path().string();
    const QJsonObject report = json({"report", "--format", "json", "--no-clock", "--machine-tree", machine});
    EXPECT_EQ(report.value("Video")["Adapters"].toArray().size(), 2);
    EXPECT_EQ(report.value("Applications")["Packages"].toArray().size(), 2);
    const QJsonObject network = report.value("NetworkInterfaces").toObject();
    EXPECT_EQ(network["FullName"].toString().toStdString(), qv::results::machineKeyOf("Ada Lovelace"));
    EXPECT_EQ(network["Interfaces"][1]["MacAddress"].toString().toStdString(),
              qv::results::machineKeyOf("3c:7c:3f:0a:11:22"));
    for (const char* format : {"text", "html"}) {
        const Output shortForm = run({"report", "--format", format, "--no-clock", "--machine-tree", machine});
        for (const char* personal : {"Ada Lovelace", "3c:7c:3f:0a:11:22", "7XKTZ33"})
            EXPECT_EQ(shortForm.out.find(personal), std::string::npos) << format << ' ' << personal;
        EXPECT_NE(shortForm.out.find("2 packages"), std::string::npos) << format;
        EXPECT_EQ(shortForm.out.find("vim-common"), std::string::npos) << format << ": counts only";
        const Output all =
            run({"report", "--format", format, "--all", "--no-clock", "--machine-tree", machine});
        EXPECT_NE(all.out.find("vim-common"), std::string::npos) << format;
    }
}

TEST_F(ReportCommand, BenchmarkSessionsAreSavedResultsAndTheirWarningsAreListed)
{
    tree.write("sys/class/power_supply/AC/type", "Mains\n")
        .write("sys/class/power_supply/AC/online", "0\n")
        .write("sys/class/power_supply/BAT1/type", "Battery\n");
    const std::string path = (files.path() / "r.json").string();
    const Output output =
        run({"report", "--format", "json", "--no-clock", "--bench", "all", "--output", path});
    ASSERT_EQ(output.status, 0) << output.err;
    EXPECT_EQ(output.out, "");
    const QByteArray text = qv::results::readSmallFile(path);
    const QJsonObject report = QJsonDocument::fromJson(text).object();
    const QJsonArray benchmarks = report.value("Benchmarks").toArray();
    ASSERT_EQ(benchmarks.size(), 2);
    const auto mem = qv::results::parseSavedResult(QJsonDocument(benchmarks[1].toObject()).toJson());
    EXPECT_EQ(mem.benchmark, qv::results::Benchmark::Mem);
    EXPECT_EQ(qv::results::figureValue(mem.summary, "MemoryIndex"), 9500);
    const QString warning = QStringLiteral("cpu: running on battery: the clock is lowered and varies");
    EXPECT_EQ(report.value("Warnings").toArray().first().toString(), warning);
    EXPECT_NE(output.err.find("quorvex-cli report: warning: " + warning.toStdString()), std::string::npos);
}

TEST_F(ReportCommand, HtmlIsOneWellFormedSelfContainedPageWithEveryTextEscaped)
{
    qv::test::ScriptedSystemFacts facts;
    const QString hostile = QStringLiteral("<script>alert('x')</script> & \"Q\"") + QChar(1) +
                            QString::fromUtf8("\xFF"
                                              "end");
    facts.os.platformName = hostile;
    facts.computer = QStringLiteral("pc<b>1</b>");
    const auto installed = facts.install();
    const std::string path = (files.path() / "r.html").string();
    ASSERT_EQ(run({"report", "--format", "html", "--no-clock", "--output", path}).status, 0);
    const QByteArray page = qv::results::readSmallFile(path);

    QXmlStreamReader reader(page);
    QStringList elements;
    QString texts;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            elements.append(reader.name().toString());
            for (const QXmlStreamAttribute& attribute : reader.attributes())
                EXPECT_NE(attribute.name(), QStringLiteral("src")) << "nothing loaded from elsewhere";
        }
        if (reader.isCharacters())
            texts += reader.text();
    }
    ASSERT_FALSE(reader.hasError()) << reader.errorString().toStdString() << " at line "
                                    << reader.lineNumber();
    EXPECT_EQ(elements.count(QStringLiteral("html")), 1);
    EXPECT_EQ(elements.count(QStringLiteral("style")), 1);
    for (const char* forbidden : {"script", "link", "img", "iframe", "object"})
        EXPECT_FALSE(elements.contains(QLatin1String(forbidden))) << forbidden;
    QString shown = hostile;
    shown.replace(QChar(1), QChar(0xFFFD));
    EXPECT_TRUE(texts.contains(shown)) << "the platform name, control character replaced";
    EXPECT_TRUE(texts.contains(QStringLiteral("pc<b>1</b>")));
    EXPECT_FALSE(page.contains("http")) << "no outside link";
}

TEST_F(ReportCommand, BadOptionsAndAnUnwritableOutputFail)
{
    EXPECT_EQ(run({"report", "--format", "pdf"}).status, 2);
    EXPECT_EQ(run({"report", "--bench", "gpu"}).status, 2);
    const std::string nowhere = (files.path() / "no" / "r.txt").string();
    const Output output = run({"report", "--no-clock", "--output", nowhere});
    EXPECT_EQ(output.status, 1);
    EXPECT_EQ(output.err, "quorvex-cli report: cannot write '" + nowhere + "': No such file or directory\n");
}

// Fails the test whenever a name or an address is looked up.
class ForbiddenResolver final : public qv::platform::NameResolver {
public:
    qv::platform::HostEntry byName(const QString& name) const override
    {
        ADD_FAILURE() << "looked up " << name.toStdString();
        return {qv::platform::resolver_error::kHostNotFound, {}, {}};
    }
    qv::platform::HostEntry byAddress(std::uint32_t) const override
    {
        ADD_FAILURE() << "looked up an address";
        return {qv::platform::resolver_error::kHostNotFound, {}, {}};
    }
};

bool bringLoopbackUp()
{
    const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = socket >= 0 && ioctl(socket, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags = short(request.ifr_flags | IFF_UP);
    up = up && ioctl(socket, SIOCSIFFLAGS, &request) == 0;
    if (socket >= 0)
        ::close(socket);
    return up;
}

// This test moves its whole process into a network namespace of its own (CTest runs each test in a
// process of its own); only loopback exists there.
TEST_F(ReportCommand, AnOutputThatIsADeviceIsWrittenIntoAndStaysADevice)
{
    const Output toStandardOutput = run({"report", "--no-clock", "--output", "-"});
    EXPECT_EQ(toStandardOutput.status, 0) << toStandardOutput.err;
    EXPECT_EQ(toStandardOutput.out.rfind("quorvex-cli ", 0), 0u) << "the report on standard output";

    const Output full = run({"report", "--no-clock", "--output", "/dev/full"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "quorvex-cli report: cannot write '/dev/full': No space left on device\n");

    const qv::test::FakeTree folder;
    const std::filesystem::path node = folder.path() / "null";
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here (needs root): " << std::strerror(errno);
    const Output written = run({"report", "--no-clock", "--output", node.string()});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(std::filesystem::is_character_file(node)) << "the device node became a file";
}

TEST_F(ReportCommand, EndsAtOnceWithOnlyLoopbackAndNeverLooksAnythingUp)
{
    if (unshare(CLONE_NEWNET) != 0 || !bringLoopbackUp())
        GTEST_SKIP() << "cannot make a network namespace here";
    const qv::platform::ScopedNameResolver forbidden(std::make_shared<ForbiddenResolver>());
    QElapsedTimer timer;
    timer.start();
    const QJsonObject report = json({"report", "--format", "json", "--no-clock"});
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(report.value("Network").toObject().value("LocalIPList").toArray(), QJsonArray{"127.0.0.1"});
}

} // namespace

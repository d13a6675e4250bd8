// "quorvex-cli info video|network|apps|summary" over the hand-made machines, and this machine against
// ip, dpkg-query and lspci.
#include "platform/NetworkNeighbourhood.h"
#include "tests/hardware/SmbiosImages.h"
#include "tools/cli/Cli.h"
#include "tools/cli/InfoCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct InfoRun {
    int status = -1;
    std::string out;
    std::string err;
};

InfoRun runInfo(const std::vector<std::string>& options)
{
    qv::cli::CommandRegistry registry;
    registry.add(qv::cli::infoCommand());
    std::vector<std::string> args{"info"};
    args.insert(args.end(), options.begin(), options.end());
    std::ostringstream out;
    std::ostringstream err;
    InfoRun run;
    run.status = qv::cli::runCli(registry, args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

QJsonObject jsonOf(const InfoRun& run)
{
    EXPECT_EQ(run.status, 0) << run.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

QJsonObject replayed(const std::string& topic, void (*write)(qv::test::FakeTree&))
{
    qv::test::FakeTree tree;
    write(tree);
    return jsonOf(runInfo({topic, "--json", "--machine-tree", tree.path().string()}));
}

// Output of a tool of this machine; nothing when it is not installed or fails.
std::optional<QByteArray> toolOutput(const QString& program, const QStringList& args)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

TEST(InfoCommand, WithoutATopicListsEveryTopic)
{
    const InfoRun run = runInfo({});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* topic : {"memory", "drives", "board", "video", "network", "apps", "summary"})
        EXPECT_NE(run.out.find(std::string("\n  ") + topic + ' '), std::string::npos) << topic;
    EXPECT_EQ(runInfo({"sound"}).status, 2);
}

TEST(InfoVideoCommand, DesktopReplaysControllersMonitorScreensAndOpenGl)
{
    const QJsonObject json = replayed("video", qv::test::writeDesktopTree);
    const QJsonArray adapters = json["Adapters"].toArray();
    ASSERT_EQ(adapters.size(), 2);
    EXPECT_EQ(adapters[1]["Driver"].toString(), QStringLiteral("amdgpu"));
    EXPECT_EQ(adapters[1]["Memory"].toDouble(), 17163091968.0);
    EXPECT_TRUE(adapters[0]["Memory"].isNull());
    const QJsonObject monitor = json["Connectors"][0]["Monitor"].toObject();
    EXPECT_EQ(monitor["Model"].toString(), QStringLiteral("DELL U2719D"));
    EXPECT_EQ(monitor["SerialNumber"].toString(), QStringLiteral("7XKTZ33"));
    EXPECT_EQ(monitor["PreferredMode"]["Width"].toInt(), 2560);
    EXPECT_TRUE(json["Connectors"][1]["Monitor"].isNull());
    EXPECT_EQ(json["Screens"].toArray().size(), 2);
    EXPECT_EQ(json["OpenGL"]["Vendor"].toString(), QStringLiteral("AMD"));
    EXPECT_EQ(json["Notes"].toArray(), QJsonArray());
}

TEST(InfoVideoCommand, LaptopSaysItsPanelIsDamagedAndNoDisplayWasUsable)
{
    const QJsonObject json = replayed("video", qv::test::writeLaptopTree);
    EXPECT_EQ(json["Connectors"][0]["Monitor"]["BadChecksumBlocks"].toArray(), QJsonArray{0});
    EXPECT_TRUE(json["Screens"].isNull());
    EXPECT_TRUE(json["OpenGL"].isNull());
    EXPECT_EQ(json["Notes"].toArray().size(), 2);
}

TEST(InfoNetworkCommand, DesktopReplaysIdentityInterfacesAndRoutes)
{
    const QJsonObject json = replayed("network", qv::test::writeDesktopTree);
    EXPECT_EQ(json["FullName"].toString(), QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(json["Workgroup"].toString(), QStringLiteral("ENGINES"));
    const QJsonArray interfaces = json["Interfaces"].toArray();
    ASSERT_EQ(interfaces.size(), 3);
    EXPECT_EQ(interfaces[2]["Name"].toString(), QStringLiteral("lo"));
    EXPECT_EQ(interfaces[1]["IPv6"][0]["Address"].toString(), QStringLiteral("2001:db8::20"));
    EXPECT_EQ(interfaces[1]["Speed"].toInt(), 1000);
    EXPECT_EQ(json["IPv4Gateway"].toString(), QStringLiteral("192.168.1.1"));
}

TEST(InfoAppsCommand, DesktopReplaysPackagesAndDesktopEntries)
{
    const QJsonObject json = replayed("apps", qv::test::writeDesktopTree);
    EXPECT_EQ(json["PackageCount"].toInt(), 2);
    EXPECT_EQ(json["InstalledSize"].toDouble(), 390.0 * 1024);
    EXPECT_EQ(json["Packages"][1]["InstalledSize"], QJsonValue(QJsonValue::Null));
    EXPECT_EQ(json["DesktopApplications"][1]["Package"].toString(), QStringLiteral("vim-common"));
}

TEST(InfoSummaryCommand, GathersEverySectionWithoutAskingTheNetworkOrTheDisplay)
{
    int asked = 0;
    const qv::platform::ScopedWorkgroupQuery query([&asked] {
        ++asked;
        return std::optional<QString>();
    });
    const QJsonObject json = jsonOf(runInfo({"summary", "--json"}));
    for (const char* section :
         {"Processor", "Memory", "OperatingSystem", "Board", "Video", "Drives", "Network"})
        EXPECT_TRUE(json[QLatin1String(section)].isObject()) << section;
    EXPECT_TRUE(json["Video"]["Screens"].isNull());
    EXPECT_EQ(asked, 0);
    const InfoRun text = runInfo({"summary", "--machine-tree", [] {
                                      static qv::test::FakeTree tree;
                                      qv::test::writeDesktopTree(tree);
                                      return tree.path().string();
                                  }()});
    EXPECT_NE(text.out.find("[Video]\n  Adapter: "), std::string::npos) << text.out;
    EXPECT_NE(
        text.out.find("  Monitor: Dell Inc. DELL U2719D, 60 \xC3\x97 34 cm, 2560 \xC3\x97 1440 at 59.95 Hz"),
        std::string::npos)
        << text.out;
}

TEST(InfoNetworkCommand, ThisMachineAgreesWithIp)
{
    const auto ip = toolOutput(QStringLiteral("ip"), {QStringLiteral("-j"), QStringLiteral("addr")});
    if (!ip)
        GTEST_SKIP() << "ip (iproute2) is not installed";
    const qv::platform::ScopedWorkgroupQuery noQuery([] { return std::optional<QString>(); });
    const QJsonObject ours = jsonOf(runInfo({"network", "--json"}));
    QSet<QString> expected;
    for (const QJsonValue& link : QJsonDocument::fromJson(*ip).array()) {
        const QString name = link["ifname"].toString();
        for (const QJsonValue& address : link["addr_info"].toArray())
            expected.insert(name + ' ' + address["local"].toString() + '/' +
                            QString::number(address["prefixlen"].toInt()));
        expected.insert(name);
    }
    QSet<QString> found;
    for (const QJsonValue& interface : ours["Interfaces"].toArray()) {
        const QString name = interface["Name"].toString();
        found.insert(name);
        for (const char* family : {"IPv4", "IPv6"}) {
            for (const QJsonValue& address : interface[QLatin1String(family)].toArray())
                found.insert(name + ' ' + address["Address"].toString() + '/' +
                             QString::number(address["Prefix"].toInt()));
        }
    }
    EXPECT_EQ(found, expected);
}

TEST(InfoAppsCommand, ThisMachineCountsThePackagesDpkgQueryCounts)
{
    const auto listed = toolOutput(QStringLiteral("dpkg-query"),
                                   {QStringLiteral("-W"), QStringLiteral("-f=${db:Status-Abbrev}\\n")});
    if (!listed)
        GTEST_SKIP() << "dpkg-query is not installed";
    // Held packages ("hi") are installed too.
    const int installed = int(listed->count("ii ") + listed->count("hi "));
    EXPECT_EQ(jsonOf(runInfo({"apps", "--json"}))["PackageCount"].toInt(), installed);
}

TEST(InfoVideoCommand, ThisMachineListsTheDisplayControllersLspciLists)
{
    QStringList expected;
    for (const char* deviceClass : {"::0300", "::0302", "::0380"}) {
        const auto listed = toolOutput(QStringLiteral("lspci"),
                                       {QStringLiteral("-mm"), QStringLiteral("-n"), QStringLiteral("-D"),
                                        QStringLiteral("-d"), QLatin1String(deviceClass)});
        if (!listed)
            GTEST_SKIP() << "lspci (pciutils) is not installed";
        for (const QByteArray& line : listed->split('\n'))
            if (!line.isEmpty())
                expected << QString::fromLatin1(line.split(' ').front());
    }
    QStringList found;
    for (const QJsonValue& adapter : jsonOf(runInfo({"video", "--json"}))["Adapters"].toArray())
        found << adapter["Address"].toString();
    expected.sort();
    EXPECT_EQ(found, expected);
}

} // namespace

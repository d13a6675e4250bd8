// `quorvex-cli bench net` and `bench inet` as the built tool runs them, against servers of the test's own
// on loopback.
#include "tests/netbench/HttpTestServer.h"
#include "tests/netbench/NetTestPeers.h"
#include "tests/support/TestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status = -1;
    QByteArray out;
    QString err;
};

ToolRun runTool(const QStringList& args)
{
    QProcess tool;
    tool.start(QStringLiteral(QV_CLI_PROGRAM), args);
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    return {tool.exitCode(), tool.readAllStandardOutput(),
            QString::fromLocal8Bit(tool.readAllStandardError())};
}

QJsonObject firstJsonLine(const QByteArray& out)
{
    return QJsonDocument::fromJson(out.split('\n').value(0)).object();
}

TEST(BenchNetCommand, MeasuresAgainstTheServerAndPrintsJson)
{
    const qv::test::LoopbackServer server;
    const ToolRun run = runTool({QStringLiteral("bench"), QStringLiteral("net"), QStringLiteral("127.0.0.1"),
                                 QStringLiteral("--port"), QString::number(server.port()),
                                 QStringLiteral("--streams"), QStringLiteral("4"),
                                 QStringLiteral("--seconds"), QStringLiteral("1"), QStringLiteral("--json")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject line = firstJsonLine(run.out);
    EXPECT_GT(line[QStringLiteral("DownloadMbps")].toDouble(), 0) << run.out.toStdString();
    EXPECT_GT(line[QStringLiteral("UploadBytes")].toDouble(), 0);
    EXPECT_GT(line[QStringLiteral("LatencyMedianMs")].toDouble(), 0);
    EXPECT_EQ(line[QStringLiteral("Setup")].toObject()[QStringLiteral("Streams")].toString(),
              QStringLiteral("4"));
}

TEST(BenchInetCommand, DownloadsFromTheAddressAndKeepsNoSecretInTheSetup)
{
    const qv::test::HttpTestServer server;
    QString url = server.url("/data/3000000?key=secret");
    url.replace(QStringLiteral("http://"), QStringLiteral("http://ann:pw@"));
    const ToolRun run = runTool({QStringLiteral("bench"), QStringLiteral("inet"), url,
                                 QStringLiteral("--seconds"), QStringLiteral("2"), QStringLiteral("--json")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject line = firstJsonLine(run.out);
    EXPECT_EQ(line[QStringLiteral("DownloadBytes")].toDouble(), 3000000.0) << run.out.toStdString();
    EXPECT_EQ(line[QStringLiteral("Setup")].toObject()[QStringLiteral("Address")].toString(),
              server.url("/data/3000000"));
}

struct Refused {
    const char* name;
    QStringList args;
    int status;
    const char* message; // part of the error output
};

class BenchNetRefuses : public testing::TestWithParam<Refused> {};

TEST_P(BenchNetRefuses, WithOneMessage)
{
    QStringList args = GetParam().args;
    args.replaceInStrings(QStringLiteral("CLOSED"), QString::number(qv::test::closedLoopbackPort()));
    const ToolRun run = runTool(QStringList{QStringLiteral("bench")} + args);
    EXPECT_EQ(run.status, GetParam().status);
    EXPECT_TRUE(run.err.contains(QLatin1String(GetParam().message))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BenchNetRefuses,
    testing::Values(
        Refused{"NoHost", {QStringLiteral("net")}, 2, "bench net needs the HOST that runs quorvex-cli serve"},
        Refused{"PortWithCpu",
                {QStringLiteral("cpu"), QStringLiteral("--port"), QStringLiteral("1")},
                2,
                "--port and --streams go with net"},
        Refused{"OverAMinute",
                {QStringLiteral("inet"), QStringLiteral("http://127.0.0.1/"), QStringLiteral("--seconds"),
                 QStringLiteral("61")},
                2,
                "--seconds is at most 60 for net and inet"},
        Refused{"NobodyServing",
                {QStringLiteral("net"), QStringLiteral("127.0.0.1"), QStringLiteral("--port"),
                 QStringLiteral("CLOSED")},
                1,
                "127.0.0.1 refused the connection on port"},
        Refused{"NotAnHttpAddress",
                {QStringLiteral("inet"), QStringLiteral("ftp://127.0.0.1/f")},
                1,
                "is not an http:// or https:// address with a host"}),
    qv::test::RowName());

} // namespace

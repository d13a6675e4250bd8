// Which shared libraries the built tool loads, as the dynamic loader itself reports them (LD_DEBUG),
// dlopen included: a command must not pay for libraries that only another command needs.
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int status = -1;
    QStringList libraries; // file names, e.g. "libQt6Core.so.6"
};

// Runs the tool with neither a display nor a Qt platform, unless `environment` names one.
ToolRun runTool(const QStringList& args, const QStringList& environment = {})
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        variables.remove(QString::fromLatin1(name));
    for (const QString& assignment : environment)
        variables.insert(assignment.section(QLatin1Char('='), 0, 0), assignment.section(QLatin1Char('='), 1));
    variables.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    QProcess tool;
    tool.setProcessEnvironment(variables);
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.start(QStringLiteral(QV_CLI_PROGRAM), args);
    ToolRun run;
    if (!tool.waitForFinished(60000))
        return run;
    run.status = tool.exitCode();
    static const QRegularExpression loaded(
        QStringLiteral(R"(file=(\S+)\s+\[\d+\];\s+(needed|dynamically loaded) by)"));
    for (auto match = loaded.globalMatch(QString::fromLocal8Bit(tool.readAllStandardError()));
         match.hasNext();)
        run.libraries << match.next().captured(1).section(QLatin1Char('/'), -1);
    run.libraries.removeDuplicates();
    return run;
}

QStringList graphicalOrNetworkLibraries(const QStringList& libraries)
{
    static const QRegularExpression heavy(
        QStringLiteral(R"(^lib(Qt6Gui|Qt6Widgets|Qt6Multimedia|Qt6Network|smbclient|X11|xcb)[.-])"));
    return libraries.filter(heavy);
}

struct Command {
    const char* name;
    QStringList args;
};

class LoadedLibraries : public testing::TestWithParam<Command> {};

TEST_P(LoadedLibraries, HeadlessCommandLoadsNoGraphicalOrSmbLibrary)
{
    const ToolRun run = runTool(GetParam().args);
    ASSERT_EQ(run.status, 0) << GetParam().args.join(' ').toStdString();
    ASSERT_TRUE(run.libraries.contains(QStringLiteral("libstdc++.so.6"))) << "the loader's list was not read";
    EXPECT_EQ(graphicalOrNetworkLibraries(run.libraries), QStringList())
        << GetParam().args.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LoadedLibraries,
    testing::Values(Command{"Tips", {QStringLiteral("tips")}},
                    Command{"CpuWithoutClock", {QStringLiteral("cpu"), QStringLiteral("--no-clock")}},
                    Command{"SysWithoutDisplay", {QStringLiteral("sys"), QStringLiteral("--json")}},
                    Command{"ReportWithoutDisplay", {QStringLiteral("report"), QStringLiteral("--no-clock")}},
                    Command{"InfoMemory",
                            {QStringLiteral("info"), QStringLiteral("memory"), QStringLiteral("--json")}},
                    Command{"InfoVideoWithoutDisplay",
                            {QStringLiteral("info"), QStringLiteral("video"), QStringLiteral("--json")}},
                    Command{"InfoSummary", {QStringLiteral("info"), QStringLiteral("summary")}}),
    qv::test::RowName());

// The tips come from the executable's own frame: not even Qt Core is loaded, which is most of a start.
TEST(LoadedLibrariesWithoutQt, TipsLoadNoQtLibrary)
{
    const ToolRun run = runTool({QStringLiteral("tips")});
    ASSERT_EQ(run.status, 0);
    ASSERT_FALSE(run.libraries.filter(QStringLiteral("libqvconsl.so")).isEmpty())
        << "the loader's list was not read";
    EXPECT_EQ(run.libraries.filter(QStringLiteral("libQt6")), QStringList());
}

// The PCI names are loaded where the chipset is named, and nowhere else.
TEST(LoadedLibrariesForPci, OnlyTheBoardLoadsLibpci)
{
    const auto libpci = [](const QStringList& libraries) {
        return !libraries.filter(QRegularExpression(QStringLiteral(R"(^libpci\.so)"))).isEmpty();
    };
    const ToolRun memory =
        runTool({QStringLiteral("info"), QStringLiteral("memory"), QStringLiteral("--json")});
    ASSERT_EQ(memory.status, 0);
    EXPECT_FALSE(libpci(memory.libraries)) << memory.libraries.join(' ').toStdString();
    if (!QFile::exists(QStringLiteral("/sys/bus/pci/devices")))
        GTEST_SKIP() << "this machine has no PCI bus to name";
    const ToolRun board =
        runTool({QStringLiteral("info"), QStringLiteral("board"), QStringLiteral("--json")});
    ASSERT_EQ(board.status, 0);
    EXPECT_TRUE(libpci(board.libraries)) << board.libraries.join(' ').toStdString();
}

TEST(LoadedLibrariesWithDisplay, SysLoadsQtGuiToReadTheScreen)
{
    const ToolRun run = runTool({QStringLiteral("sys"), QStringLiteral("--json")},
                                {QStringLiteral("QT_QPA_PLATFORM=offscreen")});
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(run.libraries.contains(QStringLiteral("libQt6Gui.so.6")))
        << run.libraries.join(' ').toStdString();
    EXPECT_FALSE(run.libraries.contains(QStringLiteral("libsmbclient.so.0")));
}

} // namespace

namespace {

bool loadsQtOpenGl(const QStringList& libraries)
{
    return !libraries.filter(QRegularExpression(QStringLiteral(R"(^libQt6OpenGL\.so)"))).isEmpty();
}

struct DisplayCommand {
    const char* name;
    QStringList args;
};

class LoadedLibrariesForDisplay : public testing::TestWithParam<DisplayCommand> {};

// Without a display the display benchmarks refuse at once (status 1), before loading anything graphical.
TEST_P(LoadedLibrariesForDisplay, WithoutADisplayTheBenchmarkLoadsNoGraphicalLibrary)
{
    const ToolRun run = runTool(GetParam().args);
    ASSERT_EQ(run.status, 1);
    ASSERT_TRUE(run.libraries.contains(QStringLiteral("libstdc++.so.6"))) << "the loader's list was not read";
    EXPECT_EQ(graphicalOrNetworkLibraries(run.libraries), QStringList());
    EXPECT_FALSE(loadsQtOpenGl(run.libraries));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LoadedLibrariesForDisplay,
    testing::Values(DisplayCommand{"TwoD", {QStringLiteral("bench"), QStringLiteral("2d")}},
                    DisplayCommand{"ThreeD", {QStringLiteral("bench"), QStringLiteral("3d")}}),
    qv::test::RowName());

// Qt OpenGL comes with the 3D benchmark's module only: neither executable names it.
TEST(LoadedLibrariesForDisplayStart, NeitherExecutableLinksQtOpenGl)
{
    for (const char* program : {QV_CLI_PROGRAM, QV_PROGRAM}) {
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {QString::fromUtf8(program)});
        ASSERT_TRUE(ldd.waitForFinished(30000));
        const QString linked = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        ASSERT_TRUE(linked.contains(QStringLiteral("libstdc++.so.6"))) << program;
        EXPECT_FALSE(linked.contains(QStringLiteral("libQt6OpenGL"))) << program;
    }
}

} // namespace

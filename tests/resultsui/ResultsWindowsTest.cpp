#include "bench/charts/BarChartView.h"
#include "bench/overall/OverallRun.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfCPUChartDlg.h"
#include "bench/ui/PerfCPUDlg.h"
#include "bench/ui/ResultSaving.h"
#include "platform/Dialogs.h"
#include "results/ResultFiles.h"
#include "results/report/SessionLog.h"
#include "results/ui/ResultsComparison.h"
#include "results/ui/ResultsDlg.h"
#include "tests/support/TestSupport.h"
#include "tools/cli/BenchCommand.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <sstream>

namespace {

using qv::results::Benchmark;
using qv::results::SavedResult;

const qv::results::ScopedSampleWait kNoSampleWait([](std::chrono::milliseconds) {});

// The tool's bench command with instant kernels, this machine named "lab-07".
qv::cli::BenchRunners instantRunners()
{
    qv::cli::BenchRunners runners;
    runners.cpu = [] {
        return qv::cli::BenchFigures{{"DhrystoneRate", 3'333'433.5},
                                     {"WhetstoneRate", 1'049'559.18},
                                     {"LivermoreMflops", 120.5},
                                     {"AluIndex", 259},
                                     {"FpuIndex", 160},
                                     {"GeneralIndex", 239},
                                     {"ElapsedMs", 812}};
    };
    runners.machine = [] {
        return qv::results::MachineIdentity{"0123456789abcdef", "lab-07", "Intel", "", 0, 2, ""};
    };
    return runners;
}

int runBench(std::vector<std::string> args, std::string* printed = nullptr)
{
    const qv::cli::Subcommand bench = qv::cli::benchCommand(instantRunners());
    std::ostringstream out;
    std::ostringstream err;
    const int status = bench.run(args, out, err);
    if (printed != nullptr)
        *printed = out.str() + err.str();
    return status;
}

// A session as the program records one.
SavedResult programSession(const std::string& label, double general)
{
    qv::cli::ProgramSession recording(Benchmark::Cpu, qv::cli::programSignature());
    recording.begin();
    SavedResult session = recording.finish({{"DhrystoneRate", 1e6},
                                            {"WhetstoneRate", 5e5},
                                            {"LivermoreMflops", 80},
                                            {"AluIndex", 200},
                                            {"FpuIndex", 150},
                                            {"GeneralIndex", general},
                                            {"ElapsedMs", 700}});
    session.label = label;
    return session;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ResultsWindowsTest : public qv::test::ErrorCheckedTest {
protected:
    qv::cli::SessionLog log;
    qv::cli::ScopedSessionLog installedLog{&log};
    QStringList errors;
    qv::platform::ScopedErrorPresenter errorBox{
        [this](QWidget*, const QString&, const QString& text) { errors.append(text); }};
    QString folder = qv::test::scratchDirectory();
};

// ---- Open results -----------------------------------------------------------------------------------

struct UnreadableCase {
    std::string name;
    std::function<QString(const QString& folder)> make; // returns the path to open
    QString expected;                                   // part of the one message
};

class OpenUnreadable : public ResultsWindowsTest, public testing::WithParamInterface<UnreadableCase> {};

TEST_P(OpenUnreadable, GivesOneMessageAndOpensNoWindow)
{
    const UnreadableCase& c = GetParam();
    int windows = 0;
    const qv::platform::ScopedModalRunner showing([&](QDialog&) {
        ++windows;
        return int(QDialog::Accepted);
    });
    log.add(programSession("this session", 239));
    const QString path = c.make(folder);
    EXPECT_FALSE(qv::resultsui::showResultsFile(nullptr, path));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.front().contains(c.expected)) << errors.front().toStdString();
    EXPECT_EQ(windows, 0);
    EXPECT_EQ(log.sessions().size(), 1U);
}

QString written(const QString& folder, const char* name, const QByteArray& bytes)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    ResultsWindow, OpenUnreadable,
    testing::Values(
        UnreadableCase{"damaged file",
                       [](const QString& folder) {
                           return written(folder, "damaged.qvr",
                                          "{\"Schema\": \"quorvex-bench-result\", \"Sch");
                       },
                       QStringLiteral("damaged.qvr")},
        UnreadableCase{
            "version 2 file",
            [](const QString& folder) {
                runBench({"cpu", "--save", QDir(folder).filePath(QStringLiteral("v1.qvr")).toStdString()});
                QByteArray bytes = contentOf(QDir(folder).filePath(QStringLiteral("v1.qvr")));
                bytes.replace("\"SchemaVersion\": 1", "\"SchemaVersion\": 2");
                return written(folder, "v2.qvr", bytes);
            },
            QStringLiteral("newer")},
        UnreadableCase{"folder", [](const QString& folder) { return folder; }, QStringLiteral("cannot read")},
        UnreadableCase{
            "another format",
            [](const QString& folder) { return written(folder, "other.json", "{\"Schema\": \"x\"}"); },
            QStringLiteral("other.json")}),
    qv::test::RowName());

// The open dialog proposes the program's own files first, with their default extension.
TEST_F(ResultsWindowsTest, TheOpenDialogOffersResultFilesFirst)
{
    QStringList filters;
    QString suffix;
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        filters = files.nameFilters();
        suffix = files.defaultSuffix();
        return int(QDialog::Rejected);
    });
    qv::resultsui::OpenResultsClick(nullptr);
    EXPECT_EQ(suffix, QStringLiteral("qvr"));
    ASSERT_EQ(filters.size(), 3);
    EXPECT_EQ(filters.front(), QStringLiteral("Fichier Quorvex (*.QVR)"));
    EXPECT_TRUE(errors.isEmpty());
}

// A file saved by the tool opens beside the reference machines and this program session's run.
TEST_F(ResultsWindowsTest, AFileSavedByTheToolOpensBesideTheReferencesAndThisSession)
{
    const QString path = QDir(folder).filePath(QStringLiteral("x.qvr"));
    ASSERT_EQ(runBench({"cpu", "--save", path.toStdString(), "--label", "lab run"}), 0);
    log.add(programSession("this session", 300));
    int rows = 0;
    std::vector<qv::charts::ChartBar> bars;
    QImage image;
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        auto& window = dynamic_cast<TResultsDlg&>(dialog);
        window.show();
        EXPECT_EQ(window.pages().count(), 1);
        EXPECT_EQ(window.pages().tabText(0), QStringLiteral("cpu"));
        rows = window.findChild<QTableWidget*>(QStringLiteral("Sessions"))->rowCount();
        bars = window.findChild<qv::charts::BarChartView*>(QStringLiteral("Chart"))->chart().bars();
        image = QImage(qv::test::saveScreenshot(window, QStringLiteral("results-window")));
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(qv::resultsui::showResultsFile(nullptr, path));
    EXPECT_EQ(rows, 2);
    ASSERT_GE(bars.size(), 3U);
    const qv::charts::ChartBar& opened = bars[bars.size() - 2];
    const qv::charts::ChartBar& own = bars.back();
    EXPECT_EQ(opened.label, QStringLiteral("lab run"));
    EXPECT_EQ(opened.value, 239);
    EXPECT_EQ(own.label, QStringLiteral("this session"));
    EXPECT_EQ(own.value, 300);
    EXPECT_GT(own.position, opened.position);
    EXPECT_GT(opened.position, bars[bars.size() - 3].position) << "above every reference row";
    // The bars are shaded: count the pixels of their hue.
    EXPECT_GT(qv::test::countPixels(
                  image, [](const QColor& c) { return c.red() > c.green() + 40 && c.red() > c.blue() + 60; }),
              500);
    EXPECT_GT(
        qv::test::countPixels(
            image, [](const QColor& c) { return c.blue() > c.red() + 60 && c.blue() > c.green() + 20; }),
        500);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ResultsWindowsTest, AnOverallRunOpensBesideTheBaselines)
{
    qv::bench::overall::OverallResult run;
    run.sessions.push_back(programSession("processor", 500));
    run.skipped = {{Benchmark::Disk, "no room for the test file"}};
    const QString path = QDir(folder).filePath(QStringLiteral("all.qvr"));
    qv::results::writeFileAtomically(path.toStdString(),
                                     qv::results::indentedJson(qv::results::savedResultJson(
                                         qv::bench::overall::overallSession(run, "quorvex"))),
                                     qv::results::Existing::Replace);
    QString page;
    std::vector<qv::charts::ChartBar> bars;
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        auto& window = dynamic_cast<TResultsDlg&>(dialog);
        page = window.pages().tabText(0);
        bars = window.findChild<qv::charts::BarChartView*>(QStringLiteral("Chart"))->chart().bars();
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(qv::resultsui::showResultsFile(nullptr, path));
    EXPECT_EQ(page, QStringLiteral("all"));
    ASSERT_EQ(bars.size(), 2U);
    EXPECT_EQ(bars.front().label, QStringLiteral("Every benchmark's baseline"));
    EXPECT_EQ(bars.front().value, 100);
    EXPECT_EQ(bars.back().value, 500) << "one benchmark ran, at five times its baseline";
    EXPECT_TRUE(errors.isEmpty());
}

// ---- Saving from the windows ---------------------------------------------------------------------

class SavingTest : public ResultsWindowsTest {
protected:
    // Answers the file dialog with `path` and the question about replacing with `replace`.
    qv::platform::ScopedModalRunner answering(const QString& path, QMessageBox::StandardButton replace,
                                              QStringList* shown)
    {
        return qv::platform::ScopedModalRunner([=](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                shown->append(QStringLiteral("file:") + files->selectedFiles().value(0).section(u'/', -1));
                files->selectFile(path);
                return int(QDialog::Accepted);
            }
            shown->append(QStringLiteral("question"));
            return int(replace);
        });
    }
};

// The processor chart keeps its controls: its menu opens from Shift+F10 and from assistive tools.
TEST_F(SavingTest, TheProcessorChartsMenuOpensFromTheKeyboardAndAssistiveTools)
{
    log.add(programSession("run", 239));
    QWidget owner;
    const qv::benchui::BenchWindows windows(owner);
    TPerfCPUChartDlg chart;
    chart.show();
    QApplication::setActiveWindow(&chart);
    auto* saving = chart.findChild<qv::benchui::ResultSaving*>();
    ASSERT_NE(saving, nullptr);
    QTest::keyClick(&chart, Qt::Key_F10, Qt::ShiftModifier);
    auto* menu = chart.findChild<QMenu*>(QStringLiteral("ChartMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->actions().contains(saving->saveAction()));
    EXPECT_TRUE(saving->saveAction()->isEnabled());
    menu->hide();

    QAccessibleInterface* accessible =
        QAccessible::queryAccessibleInterface(&chart.chart(qv::bench::CpuChart::General));
    ASSERT_NE(accessible, nullptr);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    EXPECT_TRUE(
        accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_TRUE(menu->isVisible());
    menu->hide();
}

// A session saved from the program opens in the tool's comparison; replacing a file needs a yes.
TEST_F(SavingTest, ASavedSessionOpensInTheToolAndReplacesAFileOnlyAfterAYes)
{
    log.add(programSession("first", 239));
    QWidget owner;
    const qv::benchui::BenchWindows windows(owner);
    TPerfCPUChartDlg chart;
    auto* saving = chart.findChild<qv::benchui::ResultSaving*>();
    ASSERT_NE(saving, nullptr);
    const QString path = QDir(folder).filePath(QStringLiteral("session.qvr"));
    QStringList shown;
    {
        const auto runner = answering(path, QMessageBox::No, &shown);
        saving->saveAction()->trigger();
    }
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().startsWith(QStringLiteral("file:cpu-"))) << shown.front().toStdString();
    EXPECT_TRUE(shown.front().endsWith(QStringLiteral(".qvr")));
    const SavedResult saved = qv::results::readSavedResult(path.toStdString());
    EXPECT_EQ(saved.label, "first");
    EXPECT_EQ(saved.summary, log.sessions().back().summary);
    EXPECT_EQ(saved.runs.size(), 1U);
    std::string printed;
    EXPECT_EQ(runBench({"--compare", path.toStdString()}, &printed), 0) << printed;
    EXPECT_NE(printed.find("first"), std::string::npos) << printed;

    log.add(programSession("second", 250));
    shown.clear();
    {
        const auto runner = answering(path, QMessageBox::No, &shown);
        saving->saveAction()->trigger();
    }
    EXPECT_EQ(shown,
              (QStringList{QStringLiteral("file:") + shown.value(0).mid(5), QStringLiteral("question")}));
    EXPECT_EQ(qv::results::readSavedResult(path.toStdString()).label, "first");
    {
        const auto runner = answering(path, QMessageBox::Yes, &shown);
        saving->saveAction()->trigger();
    }
    EXPECT_EQ(qv::results::readSavedResult(path.toStdString()).label, "second");
    EXPECT_TRUE(errors.isEmpty());
}

// A run of the processor benchmark is recorded as the tool records one: its figures in the same order.
TEST_F(SavingTest, TheProcessorRunIsRecordedWithTheToolsFigures)
{
    QWidget owner;
    qv::benchui::BenchWindows windows(owner);
    windows.PerfCPUDlg().setKernels({[](double) { return 3'333'433.5; }, [](double) { return 1'049'559.18; },
                                     [](double) { return 0.0; }});
    windows.PerfCPUDlg().SetChartAfterRun(false);
    windows.PerfCPUDlg().run();
    ASSERT_EQ(log.sessions().size(), 1U);
    const SavedResult& session = log.sessions().front();
    std::vector<std::string> names;
    for (const qv::results::Figure& figure : session.summary)
        names.push_back(figure.name);
    const auto expected = qv::results::figureNames(Benchmark::Cpu);
    EXPECT_EQ(names, std::vector<std::string>(expected.begin(), expected.end()));
    EXPECT_EQ(qv::results::figureValue(session.summary, "GeneralIndex"), windows.PerfCPUDlg().generalIndex());
    EXPECT_EQ(session.runs.size(), 1U);
    EXPECT_EQ(session.program.rfind("quorvex ", 0), 0U);
}

} // namespace

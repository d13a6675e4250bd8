#include "bench/ui/WindowPrinter.h"
#include "platform/Dialogs.h"
#include "results/ResultFiles.h"
#include "results/report/ReportBuilder.h"
#include "results/ui/ReportDlg.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

// This machine's report, its clock not measured, with one benchmark session that carries a warning.
qv::cli::MachineReport sampleReport()
{
    qv::cli::MachineReport report = qv::cli::buildMachineReport("quorvex test", false);
    qv::results::SavedResult session;
    session.benchmark = qv::results::Benchmark::Mem;
    session.label = "memory run";
    session.runs.push_back({{{"ElapsedMs", 500}, {"Speed", 9000.5}, {"MemoryIndex", 4100}}, {}});
    session.summary = session.runs.front().figures;
    session.warnings = {"the governor is powersave"};
    qv::cli::addBenchmark(report, session);
    return report;
}

QString textOfPdf(const QString& path)
{
    QProcess extract;
    extract.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!extract.waitForFinished(60'000))
        return {};
    return QString::fromUtf8(extract.readAllStandardOutput());
}

class ReportWindowTest : public qv::test::ErrorCheckedTest {
protected:
    QString folder = qv::test::scratchDirectory();
    TReportDlg window{nullptr, sampleReport()};

    // Saves through the button `click`, answering the file dialog with `name` in the scratch folder.
    QString saveWith(void (TReportDlg::*click)(), const QString& name)
    {
        const QString path = QDir(folder).filePath(name);
        const qv::platform::ScopedModalRunner answering([&](QDialog& dialog) {
            dynamic_cast<QFileDialog&>(dialog).selectFile(path);
            return int(QDialog::Accepted);
        });
        (window.*click)();
        return path;
    }
};

TEST_F(ReportWindowTest, ShowsTheMachinesReportWithThisSessionsBenchmarks)
{
    window.show();
    const QString shown = window.view().toPlainText();
    for (const char* section : {"Processor", "System", "Network", "Memory", "Drives", "Board", "Benchmarks"})
        EXPECT_TRUE(shown.contains(QString::fromLatin1(section))) << section;
    EXPECT_TRUE(shown.contains(QStringLiteral("mem: the governor is powersave")));
    const QImage image(qv::test::saveScreenshot(window, QStringLiteral("report-window")));
    EXPECT_GT(qv::test::countPixels(image, QColor(0xa4, 0x4b, 0x1e)), 20) << "the headings' colour";
}

// The PDF holds every section the HTML page has, in the same order.
TEST_F(ReportWindowTest, SavesHtmlPdfAndJsonWithTheSameSections)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString html = QString::fromUtf8(qv::results::readSmallFile(
        saveWith(&TReportDlg::SaveHtmlClick, QStringLiteral("report.html")).toStdString()));
    QStringList headings;
    static const QRegularExpression heading(QStringLiteral("<h[23]>([^<]+)</h[23]>"));
    for (const QRegularExpressionMatch& match : heading.globalMatch(html))
        headings << match.captured(1);
    ASSERT_GE(headings.size(), 8) << html.toStdString();

    const QString pdfPath = saveWith(&TReportDlg::SavePdfClick, QStringLiteral("report.pdf"));
    // Kept beside the window's screenshot for a person to look at.
    const QString kept = QFileInfo(qv::test::saveScreenshot(window, QStringLiteral("report-window-saved")))
                             .dir()
                             .filePath(QStringLiteral("report.pdf"));
    QFile::remove(kept);
    QFile::copy(pdfPath, kept);
    const QString pdf = textOfPdf(pdfPath);
    qsizetype from = 0;
    for (const QString& title : headings) {
        const qsizetype at = pdf.indexOf(title, from);
        EXPECT_GE(at, 0) << title.toStdString() << " missing from the PDF";
        from = std::max(from, at);
    }

    const QJsonObject json =
        QJsonDocument::fromJson(
            qv::results::readSmallFile(
                saveWith(&TReportDlg::SaveJsonClick, QStringLiteral("report.json")).toStdString()))
            .object();
    EXPECT_EQ(json.value(QStringLiteral("Schema")).toString(), QStringLiteral("quorvex-report"));
    EXPECT_EQ(json.value(QStringLiteral("Benchmarks")).toArray().size(), 1);
}

TEST_F(ReportWindowTest, PrintsThePageOnThePrinterChosen)
{
    const QString path = QDir(folder).filePath(QStringLiteral("printed.pdf"));
    const qv::benchui::ScopedPrintDialogRunner printer([&](QPrinter& chosen, QWidget*) {
        chosen.setOutputFormat(QPrinter::PdfFormat);
        chosen.setOutputFileName(path);
        return true;
    });
    window.PrintClick();
    EXPECT_TRUE(QFile(path).size() > 1000);
}

} // namespace

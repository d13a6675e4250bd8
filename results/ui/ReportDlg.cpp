#include "results/ui/ReportDlg.h"

#include "forms/Look.h"

#include "bench/ui/ResultSaving.h"
#include "bench/ui/WindowPrinter.h"
#include "platform/DataPaths.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "results/ResultFiles.h"
#include "results/report/ReportBuilder.h"
#include "results/report/SessionLog.h"
#include "results/ui/ResultsLook.h"
#include "widgets/TransBtn.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextBrowser>
#include <QTextDocument>

using qv::platform::guardedSlot;

namespace {

qv::cli::MachineReport thisMachineReport()
{
    qv::cli::MachineReport report = qv::cli::buildMachineReport(qv::cli::programSignature(), false);
    for (const qv::results::SavedResult& session : qv::cli::sessionLog().sessions())
        qv::cli::addBenchmark(report, session);
    return report;
}

QByteArray bytesOf(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

} // namespace

TReportDlg::TReportDlg(QWidget* parent)
    : TReportDlg(parent, thisMachineReport())
{
}

TReportDlg::TReportDlg(QWidget* parent, qv::cli::MachineReport report)
    : QvDialog(parent)
    , m_report(std::make_unique<qv::cli::MachineReport>(std::move(report)))
    , m_html(bytesOf(qv::cli::reportHtml(*m_report)))
{
    setObjectName(QStringLiteral("ReportDlg"));
    setWindowTitle(QStringLiteral("Report"));
    qv::resultsui::applyWindowLook(*this);
    qv::platform::HelpEngine::bindHelpKey(this, qv::platform::HelpEngine::kContents);
    buildControls();
    resize(860, 700);
}

TReportDlg::~TReportDlg() = default;

void TReportDlg::buildControls()
{
    auto* grid =
        qv::look::underTitleBand(*this, QStringLiteral(":/pictures/title_report.png"), new QGridLayout);
    m_view = new QTextBrowser(this);
    m_view->setObjectName(QStringLiteral("ReportView"));
    m_view->setAccessibleName(QStringLiteral("Report"));
    // The page is self-contained: nothing is followed or fetched.
    m_view->setOpenLinks(false);
    m_view->setOpenExternalLinks(false);
    m_view->setHtml(QString::fromUtf8(m_html));
    grid->addWidget(m_view, 0, 0, 1, 7);

    const auto button = [this](const QString& caption, const QString& glyph, void (TReportDlg::*handler)()) {
        auto* made = qv::look::commandButton(this, caption, glyph);
        connect(made, &TTransparentButton::clicked, this, guardedSlot(this, handler));
        return made;
    };
    auto* html =
        button(QStringLiteral("Save &HTML"), QStringLiteral("btn_ok.png"), &TReportDlg::SaveHtmlClick);
    auto* pdf = button(QStringLiteral("Save &PDF"), QStringLiteral("btn_ok.png"), &TReportDlg::SavePdfClick);
    auto* json =
        button(QStringLiteral("Save &JSON"), QStringLiteral("btn_ok.png"), &TReportDlg::SaveJsonClick);
    auto* print = button(QStringLiteral("P&rint"), QStringLiteral("btn_print.png"), &TReportDlg::PrintClick);
    auto* help = button(QStringLiteral("&Help"), QStringLiteral("btn_help.png"), &TReportDlg::HelpClick);
    auto* close = qv::look::commandButton(this, QStringLiteral("&Close"), QStringLiteral("btn_close.png"));
    connect(close, &TTransparentButton::clicked, this, &QWidget::close);
    setDefaultButton(close);
    setCancelButton(close);
    int column = 0;
    for (TTransparentButton* each : {html, pdf, json, print, help})
        grid->addWidget(each, 1, column++);
    grid->setColumnStretch(column++, 1);
    grid->addWidget(close, 1, column);
}

void TReportDlg::printPage(QPagedPaintDevice& device) const
{
    QTextDocument document;
    document.setHtml(QString::fromUtf8(m_html));
    document.print(&device);
}

QByteArray TReportDlg::pdf() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    // The page is styled in pixels: lay it out as on a screen of 96 dots per inch.
    writer.setResolution(96);
    writer.setTitle(QStringLiteral("Machine report"));
    writer.setCreator(QString::fromStdString(m_report->program));
    printPage(writer);
    return bytes;
}

void TReportDlg::saveAs(const QString& filter, const QString& suffix, const QByteArray& bytes)
{
    const QString proposed =
        QDir(qv::platform::dataDirectory())
            .filePath(QStringLiteral("report-%1.%2")
                          .arg(QString::fromStdString(m_report->network.localHostName), suffix));
    const auto dialog = qv::benchui::resultSaveDialog(this, QStringLiteral("Save the report"), proposed,
                                                      {filter, QStringLiteral("All files (*)")}, suffix);
    if (qv::platform::showModal(*dialog) != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return;
    const QString path = dialog->selectedFiles().constFirst();
    if (!qv::benchui::confirmReplace(this, path))
        return;
    try {
        qv::results::writeFileAtomically(path.toStdString(), bytes.toStdString(),
                                         qv::results::Existing::Replace);
    } catch (const qv::results::FileError& error) {
        qv::platform::showError(this, QStringLiteral("Save the report"), QString::fromUtf8(error.what()));
    }
}

void TReportDlg::SaveHtmlClick()
{
    saveAs(QStringLiteral("Web page (*.html)"), QStringLiteral("html"), m_html);
}

void TReportDlg::SavePdfClick()
{
    saveAs(QStringLiteral("PDF document (*.pdf)"), QStringLiteral("pdf"), pdf());
}

void TReportDlg::SaveJsonClick()
{
    saveAs(QStringLiteral("JSON report (*.json)"), QStringLiteral("json"),
           bytesOf(qv::cli::reportJsonText(*m_report)));
}

void TReportDlg::PrintClick()
{
    // The page is styled in pixels: lay it out at the screen's resolution, as in the window.
    QPrinter printer(QPrinter::ScreenResolution);
    if (!qv::benchui::askForPrinter(printer, this))
        return;
    printPage(printer);
}

void TReportDlg::HelpClick()
{
    qv::platform::HelpEngine::instance().showHelp(this, qv::platform::HelpEngine::kContents);
}

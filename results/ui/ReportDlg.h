#pragma once

#include "forms/QvDialog.h"

#include <QByteArray>

#include <memory>

class QPagedPaintDevice;
class QTextBrowser;

// moc cannot read the standard library headers that the report's header pulls in.
namespace qv::cli {
struct MachineReport;
}

// File › Report: this machine's report (processor, system, network, hardware and the benchmark
// sessions of this program session) as the command-line tool writes it, shown with Qt's rich text, saved
// as HTML, PDF or JSON, and printed.
class TReportDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    // Builds the report of this machine; the processor's clock is not measured, so that the window
    // opens at once.
    explicit TReportDlg(QWidget* parent = nullptr);
    // Shows `report` (tests hand one in).
    TReportDlg(QWidget* parent, qv::cli::MachineReport report);
    ~TReportDlg() override;

    const qv::cli::MachineReport& report() const { return *m_report; }
    QTextBrowser& view() const { return *m_view; }

    // The report as a PDF document: the HTML page laid out on A4 by Qt's PDF writer.
    QByteArray pdf() const;

public slots:
    void SaveHtmlClick();
    void SavePdfClick();
    void SaveJsonClick();
    void PrintClick();
    void HelpClick();

private:
    void buildControls();
    // The HTML page laid out on the pages of `device`.
    void printPage(QPagedPaintDevice& device) const;
    // Asks for a file (proposing report-HOST.<suffix> in the data folder), confirms replacing an
    // existing one and writes `bytes`; a failed write shows its message.
    void saveAs(const QString& filter, const QString& suffix, const QByteArray& bytes);

    std::unique_ptr<qv::cli::MachineReport> m_report;
    QByteArray m_html;
    QTextBrowser* m_view = nullptr;
};

#include "results/ui/ResultsDlg.h"

#include "bench/charts/BarChartView.h"
#include "bench/ui/ResultSaving.h"
#include "bench/ui/UiText.h"
#include "forms/Look.h"
#include "platform/DataPaths.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "results/ResultFiles.h"
#include "results/report/SessionLog.h"
#include "results/ui/ResultsComparison.h"
#include "results/ui/ResultsLook.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using qv::benchui::uiText;
using qv::platform::guardedSlot;

namespace {

QTableWidget* sessionTableWidget(QWidget* parent, const qv::resultsui::SessionTable& content)
{
    auto* table = new QTableWidget(int(content.rows.size()), int(content.headers.size()), parent);
    table->setObjectName(QStringLiteral("Sessions"));
    table->setAccessibleName(QStringLiteral("Sessions"));
    table->setHorizontalHeaderLabels(content.headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->verticalHeader()->hide();
    for (int row = 0; row < int(content.rows.size()); ++row) {
        for (int column = 0; column < content.rows[std::size_t(row)].size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(content.rows[std::size_t(row)][column]));
    }
    const int shownRows = std::clamp(table->rowCount(), 2, 6);
    table->setFixedHeight(table->horizontalHeader()->sizeHint().height() +
                          shownRows * table->verticalHeader()->defaultSectionSize() +
                          2 * table->frameWidth());
    return table;
}

} // namespace

TResultsDlg::TResultsDlg(QWidget* parent, const QString& fileName,
                         const std::vector<qv::results::SavedResult>& opened,
                         const std::vector<qv::results::SavedResult>& thisSession)
    : QvDialog(parent)
{
    setObjectName(QStringLiteral("ResultsDlg"));
    setWindowTitle(QStringLiteral("Results - %1").arg(fileName));
    qv::resultsui::applyWindowLook(*this);
    qv::platform::HelpEngine::bindHelpKey(this, qv::platform::HelpEngine::kContents);
    auto* layout =
        qv::look::underTitleBand(*this, QStringLiteral(":/pictures/title_results.png"), new QVBoxLayout);
    auto* heading = new QLabel(fileName, this);
    heading->setObjectName(QStringLiteral("FileName"));
    qv::look::setBold(*heading, true);
    layout->addWidget(heading);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("Benchmarks"));
    for (const qv::resultsui::BenchmarkSessions& sessions :
         qv::resultsui::sessionsByBenchmark(opened, thisSession)) {
        const auto name = qv::results::benchmarkName(sessions.benchmark);
        m_pages->addTab(benchmarkPage(sessions), uiText(name));
    }
    layout->addWidget(m_pages, 1);
    auto* buttons = helpAndCloseButtons(guardedSlot(this, &TResultsDlg::HelpClick));
    layout->addLayout(buttons);
    resize(780, 640);
}

QWidget* TResultsDlg::benchmarkPage(const qv::resultsui::BenchmarkSessions& sessions)
{
    auto* page = new QWidget(m_pages);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(sessionTableWidget(page, qv::resultsui::sessionTable(sessions)));
    auto* index = new QComboBox(page);
    index->setObjectName(QStringLiteral("ChartIndex"));
    index->setAccessibleName(QStringLiteral("Index shown in the chart"));
    // The general index leads, as on the processor chart.
    for (const std::string_view name : qv::results::indexNames(sessions.benchmark))
        index->addItem(uiText(name));
    const int general = index->findText(QStringLiteral("GeneralIndex"));
    if (general > 0)
        index->setCurrentIndex(general);
    auto* chart = new qv::charts::BarChartView(page);
    chart->setObjectName(QStringLiteral("Chart"));
    chart->setAccessibleName(QStringLiteral("Chart beside the reference machines"));
    chart->setMinimumHeight(260);
    const auto showIndex = [chart, index, sessions] {
        const std::string name = index->currentText().toStdString();
        chart->setAxisTitle(index->currentText());
        chart->setBars(qv::resultsui::sessionBars(sessions, name));
    };
    connect(index, &QComboBox::currentIndexChanged, chart, showIndex);
    showIndex();
    auto* legend = new QLabel(
        QStringLiteral("Brown: the opened file. Blue: this session. Grey: reference machines."), page);
    layout->addWidget(index);
    layout->addWidget(chart, 1);
    layout->addWidget(legend);
    return page;
}

void TResultsDlg::HelpClick()
{
    qv::platform::HelpEngine::instance().showHelp(this, qv::platform::HelpEngine::kContents);
}

namespace qv::resultsui {

void OpenResultsClick(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Open results"));
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setOptions(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("qvr"));
    dialog.setNameFilters(qv::benchui::resultFileFilters());
    dialog.setDirectory(qv::platform::dataDirectory());
    if (qv::platform::showModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    showResultsFile(parent, dialog.selectedFiles().constFirst());
}

bool showResultsFile(QWidget* parent, const QString& path)
{
    std::vector<qv::results::SavedResult> opened;
    try {
        opened = qv::results::readSavedResults(path.toStdString());
    } catch (const std::exception& error) {
        qv::platform::showError(parent, QStringLiteral("Open results"), QString::fromUtf8(error.what()));
        return false;
    }
    if (opened.empty()) {
        qv::platform::showError(parent, QStringLiteral("Open results"),
                                QStringLiteral("'%1' holds no benchmark session.").arg(path));
        return false;
    }
    TResultsDlg window(parent, QFileInfo(path).fileName(), opened, qv::cli::sessionLog().sessions());
    qv::platform::showModal(window);
    return true;
}

} // namespace qv::resultsui

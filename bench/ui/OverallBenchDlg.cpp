#include "bench/ui/OverallBenchDlg.h"

#include "bench/charts/BarChartView.h"
#include "bench/overall/OverallIndex.h"
#include "bench/ui/ChartWindowLook.h"
#include "bench/ui/OverallBenchJob.h"
#include "bench/ui/OverallProgress.h"
#include "bench/ui/ResultSaving.h"
#include "bench/ui/UiText.h"
#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "results/report/FigureText.h"
#include "results/report/SessionLog.h"
#include "widgets/ExtPage.h"
#include "widgets/TransBtn.h"

#include <QCloseEvent>

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace overall = qv::bench::overall;
using qv::benchui::uiText;
using qv::platform::guardedSlot;
using qv::results::Benchmark;

TOverallBenchDlg::TOverallBenchDlg(QWidget* parent)
    : QvDialog(parent)
    , m_job(new qv::benchui::OverallBenchJob(this))
{
    setObjectName(QStringLiteral("OverallBenchDlg"));
    setWindowTitle(QStringLiteral("Overall performances"));
    setFont(qv::look::arialFont(12));
    qv::look::fillBackground(*this, qv::look::kDialogBackground);
    qv::platform::HelpEngine::bindHelpKey(this, kHelpContext);
    buildControls();
    connect(m_job, &qv::benchui::OverallBenchJob::finished, this, &TOverallBenchDlg::showResult);
    resize(760, 700);
}

TOverallBenchDlg::~TOverallBenchDlg() = default;

void TOverallBenchDlg::buildControls()
{
    auto* grid =
        qv::look::underTitleBand(*this, QStringLiteral(":/pictures/title_overall.png"), new QGridLayout);
    int row = 0;
    auto* about =
        new QLabel(QStringLiteral("Runs the processor, memory, hard disk (a 256 MiB file in the data "
                                  "folder), 2D and 3D display benchmarks one after another, then "
                                  "combines their indices. The display tests open windows of their own."),
                   this);
    about->setWordWrap(true);
    m_startStop = qv::look::commandButton(this, QStringLiteral("&Start"), QStringLiteral("btn_start.png"));
    m_startStop->setObjectName(QStringLiteral("StartStop"));
    connect(m_startStop, &TTransparentButton::clicked, this,
            guardedSlot(this, &TOverallBenchDlg::StartStopClick));
    grid->addWidget(about, row, 0);
    grid->addWidget(m_startStop, row++, 1);

    m_progress = new qv::benchui::OverallProgress(*m_job, this);
    grid->addWidget(m_progress, row++, 0, 1, 2);
    m_index = new QLabel(this);
    m_index->setObjectName(QStringLiteral("OverallIndex"));
    m_index->setAccessibleName(QStringLiteral("Overall index"));
    m_index->setFont(qv::look::arialFont(16));
    qv::look::setBold(*m_index, true);
    grid->addWidget(m_index, row++, 0, 1, 2);

    m_pages = new TExtPageControl(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    auto* summary = new TTabSheet(m_pages);
    summary->setCaption(QStringLiteral("Summary"));
    auto* summaryLayout = new QVBoxLayout(summary);
    m_chart = new qv::charts::BarChartView(summary);
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_chart->setAccessibleName(QStringLiteral("Each benchmark against its baseline"));
    m_chart->setAxisTitle(QStringLiteral("Index against the baseline (100)"));
    summaryLayout->addWidget(m_chart);
    // Braced lists are evaluated in order: the pages come in run order.
    qv::look::attachDialogPages(*m_pages,
                                {summary, benchmarkPage(Benchmark::Cpu), benchmarkPage(Benchmark::Mem),
                                 benchmarkPage(Benchmark::Disk), benchmarkPage(Benchmark::Display2D),
                                 benchmarkPage(Benchmark::Display3D)},
                                font());
    m_pages->setTabWidth(110);
    m_pages->setMinimumHeight(330);
    grid->addWidget(m_pages, row++, 0, 1, 2);

    grid->addLayout(helpAndCloseButtons(guardedSlot(this, &TOverallBenchDlg::HelpClick)), row, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(row - 1, 1);
    qv::benchui::ResultSaving::attach(*this, {m_chart}, [this] { return m_last; });
}

TTabSheet* TOverallBenchDlg::benchmarkPage(Benchmark benchmark)
{
    auto* page = new TTabSheet(m_pages);
    page->setCaption(uiText(overall::benchmarkTitle(benchmark)));
    auto* layout = new QVBoxLayout(page);
    auto* note = new QLabel(QStringLiteral("Not run yet."), page);
    note->setWordWrap(true);
    auto* table = new QTableWidget(0, 2, page);
    table->setAccessibleName(uiText(overall::benchmarkTitle(benchmark)) + QStringLiteral(" figures"));
    table->setHorizontalHeaderLabels({QStringLiteral("Figure"), QStringLiteral("Value")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->hide();
    layout->addWidget(note);
    layout->addWidget(table, 1);
    m_tables.emplace_back(benchmark, table);
    m_notes.emplace_back(benchmark, note);
    return page;
}

bool TOverallBenchDlg::running() const
{
    return m_job->running();
}

void TOverallBenchDlg::StartStopClick()
{
    if (m_job->running()) {
        m_job->stop();
        qv::look::showStartOrStop(*m_startStop, false);
        m_progress->setText(QStringLiteral("Stopped."));
        return;
    }
    m_index->clear();
    m_progress->setText(QStringLiteral("Starting..."));
    m_progress->restart(int(overall::overallBenchmarks().size()));
    qv::look::showStartOrStop(*m_startStop, true);
    m_job->start();
}

void TOverallBenchDlg::HelpClick()
{
    qv::platform::HelpEngine::instance().showHelp(this, kHelpContext);
}

void TOverallBenchDlg::showResult(const overall::OverallResult& result)
{
    qv::look::showStartOrStop(*m_startStop, false);
    m_last = overall::overallSession(result, qv::cli::programSignature());
    qv::cli::sessionLog().add(*m_last);
    m_progress->showFinished();
    m_progress->setText(QStringLiteral("Done: %1 of %2 benchmarks ran.")
                            .arg(result.sessions.size())
                            .arg(overall::overallBenchmarks().size()));
    const double combined = result.combinedIndex();
    m_index->setText(
        combined > 0
            ? QStringLiteral("Overall index: %1 (100: as fast as every baseline)").arg(qRound(combined))
            : QString());
    std::vector<qv::charts::ChartBar> bars;
    const std::vector<overall::BenchmarkLine> lines = overall::benchmarkLines(result);
    int position = int(lines.size()) + 1;
    for (const overall::BenchmarkLine& line : lines) {
        if (line.skipped.empty())
            bars.push_back({line.relative, position--, uiText(line.title), qv::benchui::kMeasuredBarColour});
    }
    bars.push_back(
        {overall::kBaselineIndex, position, QStringLiteral("Baselines"), qv::benchui::kReferenceBarColour});
    m_chart->setBars(bars);
    for (auto& [benchmark, table] : m_tables) {
        const qv::results::SavedResult* session = result.session(benchmark);
        table->setRowCount(0);
        for (const qv::results::Figure& figure : session ? session->summary : qv::results::Figures()) {
            const int row = table->rowCount();
            table->insertRow(row);
            table->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(figure.name)));
            auto* value = new QTableWidgetItem(QString::fromStdString(qv::cli::figureText(figure.value)));
            value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, 1, value);
        }
    }
    for (auto& [benchmark, note] : m_notes) {
        const auto line = std::find_if(lines.begin(), lines.end(), [kind = benchmark](const auto& each) {
            return each.benchmark == kind;
        });
        const overall::IndexBaseline& baseline = overall::indexBaseline(benchmark);
        if (line == lines.end())
            note->setText(QStringLiteral("Not run."));
        else if (!line->skipped.empty())
            note->setText(QStringLiteral("Not run: %1").arg(QString::fromStdString(line->skipped)));
        else
            note->setText(QStringLiteral("%1 %2: %3 against %4 for %5.")
                              .arg(uiText(line->title), uiText(baseline.index))
                              .arg(qRound(line->index))
                              .arg(baseline.baselineScore)
                              .arg(uiText(baseline.baseline)));
    }
}

void TOverallBenchDlg::closeEvent(QCloseEvent* event)
{
    m_job->stop();
    qv::look::showStartOrStop(*m_startStop, false);
    QvDialog::closeEvent(event);
}

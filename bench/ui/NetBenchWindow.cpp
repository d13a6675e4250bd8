#include "bench/ui/NetBenchWindow.h"

#include "bench/charts/BarChartView.h"
#include "bench/net/NetReferences.h"
#include "bench/ui/ChartWindowLook.h"
#include "bench/ui/NetBenchJob.h"
#include "bench/ui/ResultSaving.h"
#include "bench/ui/RunRecording.h"
#include "bench/ui/UiText.h"
#include "forms/Look.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "results/report/DiskSession.h"
#include "widgets/TransBtn.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

using qv::platform::guardedSlot;

namespace qv::benchui {

namespace {

constexpr int kRowHeight = 28;

} // namespace

NetBenchWindow::NetBenchWindow(QWidget* parent, const QString& objectName, const QString& title,
                               int helpContext, results::Benchmark benchmark)
    : QvDialog(parent)
    , m_title(title)
    , m_helpContext(helpContext)
    , m_job(new NetBenchJob(this))
    , m_recording(std::make_unique<RunRecording>(benchmark))
{
    setObjectName(objectName);
    setWindowTitle(title);
    setFont(qv::look::arialFont(12));
    qv::look::fillBackground(*this, qv::look::kDialogBackground);
    qv::platform::HelpEngine::bindHelpKey(this, helpContext);
    connect(m_job, &NetBenchJob::failed, this, &NetBenchWindow::showFailure);
}

NetBenchWindow::~NetBenchWindow() = default;

void NetBenchWindow::buildRunControls(QGridLayout* grid, int settingsRow, int row, const QStringList& rows,
                                      const QStringList& choices, const QString& measuredLabel)
{
    m_measuredLabel = measuredLabel;
    m_startStop = qv::look::commandButton(this, QStringLiteral("&Start"), QStringLiteral("btn_start.png"));
    m_startStop->setObjectName(QStringLiteral("StartStop"));
    connect(m_startStop, &TTransparentButton::clicked, this,
            guardedSlot(this, &NetBenchWindow::StartStopClick));
    grid->addWidget(m_startStop, settingsRow, 4);

    m_progress = qv::look::progressLabel(this);
    connect(m_job, &NetBenchJob::progressed, m_progress, &QLabel::setText);
    grid->addWidget(m_progress, row++, 0, 1, 5);

    m_table = new QTableWidget(int(rows.size()), 1, this);
    m_table->setObjectName(QStringLiteral("Results"));
    m_table->setAccessibleName(QStringLiteral("Results"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Measured")});
    m_table->setVerticalHeaderLabels(rows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() + int(rows.size()) * kRowHeight +
                            2 * m_table->frameWidth());
    grid->addWidget(m_table, row++, 0, 1, 5);

    m_chartChoice = new QComboBox(this);
    m_chartChoice->setObjectName(QStringLiteral("ChartFigure"));
    m_chartChoice->setAccessibleName(QStringLiteral("Figure shown in the chart"));
    m_chartChoice->addItems(choices);
    connect(m_chartChoice, &QComboBox::currentIndexChanged, this,
            guardedSlot(this, &NetBenchWindow::showChart));
    grid->addWidget(m_chartChoice, row++, 0, 1, 3);
    m_chart = new qv::charts::BarChartView(this);
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_chart->setAccessibleName(QStringLiteral("Chart beside typical links"));
    m_chart->setAxisTitle(QStringLiteral("Mbit/s"));
    m_chart->setMinimumHeight(220);
    grid->addWidget(m_chart, row++, 0, 1, 5);
    ResultSaving::attach(*this, {m_chart}, [this] { return m_recording->last(); });
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("Note"));
    m_note->setWordWrap(true);
    m_note->setMinimumHeight(2 * m_note->fontMetrics().lineSpacing() + 4);
    grid->addWidget(m_note, row++, 0, 1, 5);

    auto* buttons = helpAndCloseButtons(guardedSlot(this, &NetBenchWindow::HelpClick));
    grid->addLayout(buttons, row, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(4, 115);
}

bool NetBenchWindow::running() const
{
    return m_job->running();
}

void NetBenchWindow::setRunning(bool running)
{
    qv::look::showStartOrStop(*m_startStop, running);
    for (QWidget* control : settingControls())
        control->setEnabled(!running);
}

void NetBenchWindow::StartStopClick()
{
    if (m_job->running()) {
        m_job->stop();
        setRunning(false);
        m_progress->setText(QStringLiteral("Stopped."));
        return;
    }
    m_recording->begin();
    try {
        startRun();
    } catch (const std::exception& error) {
        showFailure(QString::fromStdString(error.what()));
        return;
    }
    m_progress->setText(QStringLiteral("Connecting..."));
    setRunning(true);
}

void NetBenchWindow::HelpClick()
{
    qv::platform::HelpEngine::instance().showHelp(this, m_helpContext);
}

void NetBenchWindow::showFailure(const QString& message)
{
    m_recording->drop();
    setRunning(false);
    m_progress->clear();
    qv::platform::showError(this, m_title, message);
}

void NetBenchWindow::showFigures(const QStringList& values, const QString& note)
{
    setRunning(false);
    m_progress->setText(QStringLiteral("Done."));
    for (int row = 0; row < values.size() && row < m_table->rowCount(); ++row)
        m_table->setItem(row, 0, new QTableWidgetItem(values[row]));
    m_note->setText(note);
    showChart();
}

void NetBenchWindow::record(cli::DiskSession session, bool keep)
{
    if (keep)
        m_recording->finish(std::move(session.figures), std::move(session.setup));
    else
        m_recording->drop();
}

int NetBenchWindow::chartChoice() const
{
    return std::max(0, m_chartChoice->currentIndex());
}

void NetBenchWindow::showChart()
{
    const auto& references = qv::bench::net::linkReferences();
    const std::vector<double> values = referenceValues();
    const std::optional<double> measured = measuredValue();
    std::vector<qv::charts::ChartBar> bars;
    int position = int(references.size()) + (measured ? 1 : 0);
    if (measured)
        bars.push_back({*measured, position--, m_measuredLabel, kMeasuredBarColour});
    for (std::size_t i = 0; i < references.size() && i < values.size(); ++i)
        bars.push_back({values[i], position--, uiText(references[i].label), kReferenceBarColour});
    m_chart->setBars(bars);
}

void NetBenchWindow::closeEvent(QCloseEvent* event)
{
    // The run ends on its own within a tenth of a second; the window does not wait for it.
    m_job->stop();
    setRunning(false);
    QvDialog::closeEvent(event);
}

} // namespace qv::benchui

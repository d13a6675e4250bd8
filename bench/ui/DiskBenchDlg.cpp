#include "bench/ui/DiskBenchDlg.h"

#include "bench/charts/BarChartView.h"
#include "bench/disk/DiskReferences.h"
#include "bench/ui/ChartWindowLook.h"
#include "bench/ui/DiskBenchJob.h"
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
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace bd = qv::bench::disk;
using qv::platform::guardedSlot;

namespace {

const QString kTitle = QStringLiteral("Hard disk benchmark");
const QString kFootnote = QStringLiteral("Latency: mean / 99th percentile. Other drives: typical figures of "
                                         "their class, not measured here.");

QString number(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : value < 1000 ? 1 : 0);
}

QString latency(const bd::Measurement& figures)
{
    return number(figures.meanLatencyUs) + QStringLiteral(" / ") + number(figures.p99LatencyUs) +
           QStringLiteral(" µs");
}

} // namespace

TDiskBenchDlg::TDiskBenchDlg(QWidget* parent)
    : QvDialog(parent)
    , m_job(new qv::benchui::DiskBenchJob(this))
    , m_recording(std::make_unique<qv::benchui::RunRecording>(qv::results::Benchmark::Disk))
{
    setObjectName(QStringLiteral("DiskBenchDlg"));
    setWindowTitle(kTitle);
    setFont(qv::look::arialFont(12));
    qv::look::fillBackground(*this, qv::look::kDialogBackground);
    qv::platform::HelpEngine::bindHelpKey(this, kHelpContext);
    buildControls();
    connect(m_job, &qv::benchui::DiskBenchJob::progressed, m_progress, &QLabel::setText);
    connect(m_job, &qv::benchui::DiskBenchJob::finished, this, &TDiskBenchDlg::showResult);
    connect(m_job, &qv::benchui::DiskBenchJob::failed, this, &TDiskBenchDlg::showFailure);
    setFolder(QString::fromStdString(bd::defaultDiskFolder()));
    resize(780, 750);
}

TDiskBenchDlg::~TDiskBenchDlg() = default;

void TDiskBenchDlg::buildControls()
{
    auto* grid = qv::look::underTitleBand(*this, QStringLiteral(":/pictures/title_disk_benchmark.png"),
                                          new QGridLayout);
    int row = 0;
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("Folder"));
    m_folder->setAccessibleName(QStringLiteral("Folder of the test file"));
    auto* browse = qv::look::commandButton(this, QStringLiteral("&Browse"), QStringLiteral("btn_next.png"));
    connect(browse, &TTransparentButton::clicked, this, guardedSlot(this, &TDiskBenchDlg::BrowseClick));
    auto* folderLabel = new QLabel(QStringLiteral("&Folder:"), this);
    folderLabel->setBuddy(m_folder);
    grid->addWidget(folderLabel, row, 0);
    grid->addWidget(m_folder, row, 1, 1, 3);
    grid->addWidget(browse, row++, 4);

    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("FileSize"));
    m_size->setRange(int(bd::kMinFileSizeMiB), int(bd::kMaxFileSizeMiB));
    m_size->setValue(int(bd::kDefaultFileSize / bd::kMiB));
    m_size->setSuffix(QStringLiteral(" MiB"));
    m_size->setAccessibleName(QStringLiteral("File size"));
    m_seconds = new QSpinBox(this);
    m_seconds->setObjectName(QStringLiteral("TimePerTest"));
    m_seconds->setRange(1, 60);
    m_seconds->setValue(5);
    m_seconds->setSuffix(QStringLiteral(" s"));
    m_seconds->setAccessibleName(QStringLiteral("Test time"));
    auto* sizeLabel = new QLabel(QStringLiteral("File &size:"), this);
    sizeLabel->setBuddy(m_size);
    auto* secondsLabel = new QLabel(QStringLiteral("&Time per test:"), this);
    secondsLabel->setBuddy(m_seconds);
    m_startStop = qv::look::commandButton(this, QStringLiteral("&Start"), QStringLiteral("btn_start.png"));
    m_startStop->setObjectName(QStringLiteral("StartStop"));
    connect(m_startStop, &TTransparentButton::clicked, this,
            guardedSlot(this, &TDiskBenchDlg::StartStopClick));
    grid->addWidget(sizeLabel, row, 0);
    grid->addWidget(m_size, row, 1);
    grid->addWidget(secondsLabel, row, 2);
    grid->addWidget(m_seconds, row, 3);
    grid->addWidget(m_startStop, row++, 4);

    auto* wear = new QLabel(
        QStringLiteral("The write tests wear flash memory (SSD, USB stick, SD card) a little."), this);
    grid->addWidget(wear, row++, 0, 1, 5);
    m_progress = qv::look::progressLabel(this);
    grid->addWidget(m_progress, row++, 0, 1, 5);

    m_table = new QTableWidget(int(bd::diskPatterns().size()), 6, this);
    m_table->setObjectName(QStringLiteral("Results"));
    m_table->setAccessibleName(QStringLiteral("Results"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Read MB/s"), QStringLiteral("Write MB/s"),
                                        QStringLiteral("Read IOPS"), QStringLiteral("Write IOPS"),
                                        QStringLiteral("Read latency"), QStringLiteral("Write latency")});
    QStringList tests;
    for (const bd::DiskPattern& pattern : bd::diskPatterns())
        tests << qv::benchui::uiText(pattern.label);
    m_table->setVerticalHeaderLabels(tests);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->verticalHeader()->setDefaultSectionSize(28);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() + 4 * 28 +
                            2 * m_table->frameWidth());
    grid->addWidget(m_table, row++, 0, 1, 5);

    m_chartTest = new QComboBox(this);
    m_chartTest->setObjectName(QStringLiteral("ChartTest"));
    m_chartTest->setAccessibleName(QStringLiteral("Test shown in the chart"));
    for (const QString& test : tests)
        m_chartTest->addItems({test + QStringLiteral(": read"), test + QStringLiteral(": write")});
    connect(m_chartTest, &QComboBox::currentIndexChanged, this, guardedSlot(this, &TDiskBenchDlg::showChart));
    m_index = new QLabel(this);
    m_index->setObjectName(QStringLiteral("DiskIndex"));
    m_index->setAccessibleName(QStringLiteral("Disk index"));
    qv::look::setBold(*m_index, true);
    grid->addWidget(m_chartTest, row, 0, 1, 3);
    grid->addWidget(m_index, row++, 3, 1, 2);
    m_chart = new qv::charts::BarChartView(this);
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_chart->setAccessibleName(QStringLiteral("Chart beside typical drives"));
    m_chart->setAxisTitle(QStringLiteral("MB/s"));
    m_chart->setMinimumHeight(220);
    grid->addWidget(m_chart, row++, 0, 1, 5);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    m_note->setMinimumHeight(2 * m_note->fontMetrics().lineSpacing() + 4); // room for the cache note
    m_note->setText(kFootnote);
    grid->addWidget(m_note, row++, 0, 1, 5);

    auto* buttons = helpAndCloseButtons(guardedSlot(this, &TDiskBenchDlg::HelpClick));
    grid->addLayout(buttons, row, 0, 1, 5);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(4, 115);
    showChart();
    qv::benchui::ResultSaving::attach(*this, {m_chart}, [this] { return m_recording->last(); });
}

void TDiskBenchDlg::setFolder(const QString& folder)
{
    m_folder->setText(folder);
}

bd::DiskSettings TDiskBenchDlg::settings() const
{
    bd::DiskSettings settings;
    settings.folder = m_folder->text().toStdString();
    settings.fileSize = std::int64_t(m_size->value()) * bd::kMiB;
    settings.duration = std::chrono::seconds(m_seconds->value());
    return settings;
}

bool TDiskBenchDlg::running() const
{
    return m_job->running();
}

void TDiskBenchDlg::setRunning(bool running)
{
    qv::look::showStartOrStop(*m_startStop, running);
    for (QWidget* control : std::initializer_list<QWidget*>{m_folder, m_size, m_seconds})
        control->setEnabled(!running);
}

void TDiskBenchDlg::StartStopClick()
{
    if (m_job->running()) {
        m_job->stop();
        setRunning(false);
        m_progress->setText(QStringLiteral("Stopped."));
        return;
    }
    const bd::DiskSettings chosen = settings();
    try {
        bd::checkFolder(chosen.folder, chosen.fileSize);
    } catch (const bd::DiskBenchError& error) {
        showFailure(QString::fromStdString(error.what()));
        return;
    }
    m_progress->setText(QStringLiteral("Creating the test file..."));
    m_recording->begin();
    m_runSettings = chosen;
    setRunning(true);
    m_job->start(chosen);
}

void TDiskBenchDlg::BrowseClick()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Folder of the test file"), m_folder->text());
    if (!folder.isEmpty())
        setFolder(folder);
}

void TDiskBenchDlg::HelpClick()
{
    qv::platform::HelpEngine::instance().showHelp(this, kHelpContext);
}

void TDiskBenchDlg::showFailure(const QString& message)
{
    setRunning(false);
    m_progress->clear();
    qv::platform::showError(this, kTitle, message);
}

void TDiskBenchDlg::showResult(const bd::DiskResult& result)
{
    setRunning(false);
    m_result = result;
    if (result.stopped) {
        m_recording->drop();
    } else {
        qv::cli::DiskSession run = qv::cli::diskSession(m_runSettings, result);
        m_recording->finish(std::move(run.figures), std::move(run.setup));
    }
    m_progress->setText(result.stopped
                            ? QStringLiteral("Stopped.")
                            : QStringLiteral("Done, through %1%2.")
                                  .arg(QString::fromUtf8(bd::ioMethodName(result.method).data()),
                                       result.direct ? QStringLiteral(" with direct I/O") : QString()));
    for (std::size_t row = 0; row < result.tests.size(); ++row) {
        const bd::DiskTestResult& test = result.tests[row];
        const bd::Measurement read = test.read.value_or(bd::Measurement());
        const bd::Measurement write = test.write.value_or(bd::Measurement());
        const QStringList cells{number(read.megabytesPerSecond),
                                number(write.megabytesPerSecond),
                                number(read.iops),
                                number(write.iops),
                                latency(read),
                                latency(write)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* cell = new QTableWidgetItem(cells[column]);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(int(row), column, cell);
        }
    }
    const double index = bd::diskIndex(bd::diskRates(result));
    m_index->setText(index > 0 ? QStringLiteral("Disk index: %1").arg(qRound(index)) : QString());
    m_note->setText(QString::fromStdString(result.cacheNote) +
                    (result.cacheNote.empty() ? QString() : QStringLiteral(" ")) + kFootnote);
    showChart();
}

void TDiskBenchDlg::showChart()
{
    const auto figure = std::size_t(std::max(0, m_chartTest->currentIndex()));
    std::vector<qv::charts::ChartBar> bars;
    const auto& references = bd::diskReferences();
    int position = int(references.size()) + (m_result ? 1 : 0);
    if (m_result)
        bars.push_back({bd::diskRates(*m_result)[figure], position--, QStringLiteral("This drive"),
                        qv::benchui::kMeasuredBarColour});
    for (const bd::DiskReference& reference : references)
        bars.push_back({reference.rates[figure], position--, qv::benchui::uiText(reference.label),
                        qv::benchui::kReferenceBarColour});
    m_chart->setBars(bars);
}

void TDiskBenchDlg::closeEvent(QCloseEvent* event)
{
    // The run stops and drains on its own; the window does not wait for it.
    m_job->stop();
    setRunning(false);
    QvDialog::closeEvent(event);
}

#include "bench/ui/DisplayBenchDlg.h"

#include "bench/charts/BarChartView.h"
#include "bench/display/DisplayTests.h"
#include "bench/ui/ChartWindowLook.h"
#include "bench/ui/ResultSaving.h"
#include "bench/ui/RunRecording.h"
#include "bench/ui/UiText.h"
#include "forms/Look.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "results/report/DisplayRun.h"
#include "widgets/TransBtn.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <QTableWidget>

namespace bd = qv::bench::display;
using qv::benchui::uiText;
using qv::platform::guardedSlot;

namespace {

QString rate(double value)
{
    return QLocale().toString(value, 'f', value < 100 ? 1 : 0);
}

} // namespace

TDisplayBenchDlg::TDisplayBenchDlg(bd::DisplayKind kind, int helpContext, QWidget* parent)
    : QvDialog(parent)
    , m_kind(kind)
    , m_helpContext(helpContext)
    , m_recording(std::make_unique<qv::benchui::RunRecording>(kind == bd::DisplayKind::TwoD
                                                                  ? qv::results::Benchmark::Display2D
                                                                  : qv::results::Benchmark::Display3D))
{
    const bool twoD = kind == bd::DisplayKind::TwoD;
    setObjectName(twoD ? QStringLiteral("Display2DBenchDlg") : QStringLiteral("Display3DBenchDlg"));
    setWindowTitle(twoD ? QStringLiteral("Standard display benchmark")
                        : QStringLiteral("3D display benchmark"));
    setFont(qv::look::arialFont(12));
    qv::look::fillBackground(*this, qv::look::kDialogBackground);
    qv::platform::HelpEngine::bindHelpKey(this, helpContext);
    buildControls();
    resize(720, twoD ? 760 : 680);
}

TDisplayBenchDlg::~TDisplayBenchDlg() = default;

void TDisplayBenchDlg::buildControls()
{
    const bool twoD = m_kind == bd::DisplayKind::TwoD;
    auto* grid = qv::look::underTitleBand(*this,
                                          twoD ? QStringLiteral(":/pictures/title_display2d.png")
                                               : QStringLiteral(":/pictures/title_display3d.png"),
                                          new QGridLayout);
    int row = 0;
    auto* about =
        new QLabel(twoD ? QStringLiteral("Each test draws for the chosen time in a window of 640 × 480 "
                                         "pixels; every frame is waited for until the display has it.")
                        : QStringLiteral("Each scene is drawn for the chosen time in an OpenGL window of "
                                         "800 × 600 pixels, without waiting for the screen's refresh."),
                   this);
    about->setWordWrap(true);
    grid->addWidget(about, row++, 0, 1, 3);

    m_seconds = new QSpinBox(this);
    m_seconds->setObjectName(QStringLiteral("TimePerTest"));
    m_seconds->setRange(1, 60);
    m_seconds->setValue(
        int(std::chrono::duration_cast<std::chrono::seconds>(bd::defaultDisplayDuration(m_kind)).count()));
    m_seconds->setSuffix(QStringLiteral(" s"));
    m_seconds->setAccessibleName(QStringLiteral("Test time"));
    auto* secondsLabel = new QLabel(QStringLiteral("&Time per test:"), this);
    secondsLabel->setBuddy(m_seconds);
    m_startStop = qv::look::commandButton(this, QStringLiteral("&Start"), QStringLiteral("btn_start.png"));
    m_startStop->setObjectName(QStringLiteral("StartStop"));
    connect(m_startStop, &TTransparentButton::clicked, this,
            guardedSlot(this, &TDisplayBenchDlg::StartStopClick));
    grid->addWidget(secondsLabel, row, 0);
    grid->addWidget(m_seconds, row, 1);
    grid->addWidget(m_startStop, row++, 2);

    m_progress = qv::look::progressLabel(this);
    grid->addWidget(m_progress, row++, 0, 1, 3);
    m_renderer = new QLabel(this);
    m_renderer->setObjectName(QStringLiteral("Renderer"));
    m_renderer->setAccessibleName(QStringLiteral("Renderer"));
    m_renderer->setWordWrap(true);
    m_renderer->setMinimumHeight(2 * m_renderer->fontMetrics().lineSpacing() + 4); // two lines of renderer
    m_renderer->setVisible(!twoD);
    grid->addWidget(m_renderer, row++, 0, 1, 3);

    const auto tests = bd::displayTests(m_kind);
    m_table = new QTableWidget(int(tests.size()), twoD ? 1 : 2, this);
    m_table->setObjectName(QStringLiteral("Results"));
    m_table->setAccessibleName(QStringLiteral("Results"));
    m_table->setHorizontalHeaderLabels(
        twoD ? QStringList{QStringLiteral("Operations per second")}
             : QStringList{QStringLiteral("Frames per second"), QStringLiteral("Triangles per second")});
    QStringList labels;
    for (const bd::DisplayTest& test : tests)
        labels << uiText(test.label);
    m_table->setVerticalHeaderLabels(labels);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->verticalHeader()->setDefaultSectionSize(24);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() + int(tests.size()) * 24 +
                            2 * m_table->frameWidth());
    grid->addWidget(m_table, row++, 0, 1, 3);

    m_index = new QLabel(this);
    m_index->setObjectName(QStringLiteral("Index"));
    m_index->setAccessibleName(twoD ? QStringLiteral("2D index") : QStringLiteral("3D index"));
    qv::look::setBold(*m_index, true);
    grid->addWidget(m_index, row++, 0, 1, 3);
    m_chart = new qv::charts::BarChartView(this);
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_chart->setAccessibleName(QStringLiteral("Index beside the measured configurations"));
    m_chart->setAxisTitle(twoD ? QStringLiteral("2D index") : QStringLiteral("3D index"));
    m_chart->setMinimumHeight(150);
    grid->addWidget(m_chart, row++, 0, 1, 3);
    auto* note = new QLabel(QStringLiteral("Other rows: configurations measured with this program (see its "
                                           "documentation); the first one scores 100."),
                            this);
    note->setWordWrap(true);
    grid->addWidget(note, row++, 0, 1, 3);

    auto* buttons = helpAndCloseButtons(guardedSlot(this, &TDisplayBenchDlg::HelpClick));
    grid->addLayout(buttons, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    showChart();
    qv::benchui::ResultSaving::attach(*this, {m_chart}, [this] { return m_recording->last(); });
}

bd::DisplaySettings TDisplayBenchDlg::settings() const
{
    bd::DisplaySettings settings;
    settings.duration = std::chrono::seconds(m_seconds->value());
    return settings;
}

bool TDisplayBenchDlg::running() const
{
    return m_bench && m_bench->running();
}

void TDisplayBenchDlg::setRunning(bool running)
{
    qv::look::showStartOrStop(*m_startStop, running);
    m_seconds->setEnabled(!running);
}

void TDisplayBenchDlg::StartStopClick()
{
    if (running()) {
        m_bench->stop();
        setRunning(false);
        m_progress->setText(QStringLiteral("Stopped."));
        return;
    }
    if (!m_bench) {
        std::string failure;
        m_bench = bd::loadDisplayBench(m_kind, &failure);
        if (!m_bench) {
            showFailure(QString::fromStdString(failure));
            return;
        }
    }
    const QPointer<TDisplayBenchDlg> window(this);
    m_progress->setText(QStringLiteral("Opening the test window..."));
    setRunning(true);
    m_recording->begin();
    m_bench->start(settings(), {[window](const std::string& step) {
                                    if (window)
                                        window->m_progress->setText(QString::fromStdString(step));
                                },
                                [window](const bd::DisplayResult& result) {
                                    if (window)
                                        window->showResult(result);
                                },
                                [window](const std::string& message) {
                                    if (window)
                                        window->showFailure(QString::fromStdString(message));
                                }});
}

void TDisplayBenchDlg::HelpClick()
{
    qv::platform::HelpEngine::instance().showHelp(this, m_helpContext);
}

void TDisplayBenchDlg::showFailure(const QString& message)
{
    m_recording->drop();
    setRunning(false);
    m_progress->clear();
    qv::platform::showError(this, windowTitle(), message);
}

void TDisplayBenchDlg::showResult(const bd::DisplayResult& result)
{
    setRunning(false);
    m_result = result;
    if (result.stopped) {
        m_recording->drop();
    } else {
        qv::cli::DisplayBenchSession run = qv::cli::displayBenchSession(settings(), result);
        m_recording->finish(std::move(run.figures), std::move(run.setup));
    }
    m_progress->setText(result.stopped ? QStringLiteral("Stopped.")
                                       : QStringLiteral("Done, at a scale of %1 device pixels per pixel.")
                                             .arg(QLocale().toString(result.scale, 'g', 3)));
    if (m_kind == bd::DisplayKind::ThreeD) {
        m_renderer->setText(
            QStringLiteral("Renderer: %1 (%2), OpenGL %3.")
                .arg(QString::fromStdString(result.renderer), QString::fromStdString(result.vendor),
                     QString::fromStdString(result.version)) +
            (result.software
                 ? QStringLiteral(" This is a software renderer: the processor draws, not the graphics "
                                  "chip, so 3D is far slower than the hardware could make it.")
                 : QString()));
    }
    const std::vector<double> rates = bd::displayRates(result);
    for (std::size_t row = 0; row < result.tests.size(); ++row) {
        const bd::DisplayTestResult& test = result.tests[row];
        m_table->setItem(int(row), 0, new QTableWidgetItem(rate(test.rate)));
        if (m_kind == bd::DisplayKind::ThreeD)
            m_table->setItem(int(row), 1, new QTableWidgetItem(rate(test.primitivesPerSecond)));
    }
    const double index = bd::displayIndex(m_kind, rates);
    m_index->setText(
        index > 0 ? QStringLiteral("%1 index: %2")
                        .arg(m_kind == bd::DisplayKind::TwoD ? QStringLiteral("2D") : QStringLiteral("3D"))
                        .arg(qRound(index))
                  : QString());
    showChart();
}

void TDisplayBenchDlg::showChart()
{
    std::vector<qv::charts::ChartBar> bars;
    const auto& references = bd::displayReferences(m_kind);
    const double index = m_result ? bd::displayIndex(m_kind, bd::displayRates(*m_result)) : 0;
    int position = int(references.size()) + (index > 0 ? 1 : 0);
    if (index > 0)
        bars.push_back({index, position--, QStringLiteral("This machine"), qv::benchui::kMeasuredBarColour});
    for (const bd::DisplayReference& reference : references)
        bars.push_back({bd::displayIndex(m_kind, reference.rates), position--, uiText(reference.label),
                        qv::benchui::kReferenceBarColour});
    m_chart->setBars(bars);
}

void TDisplayBenchDlg::closeEvent(QCloseEvent* event)
{
    if (m_bench)
        m_bench->stop();
    setRunning(false);
    QvDialog::closeEvent(event);
}

TDisplay2DBenchDlg::TDisplay2DBenchDlg(QWidget* parent)
    : TDisplayBenchDlg(bd::DisplayKind::TwoD, kHelpContext, parent)
{
}

TDisplay3DBenchDlg::TDisplay3DBenchDlg(QWidget* parent)
    : TDisplayBenchDlg(bd::DisplayKind::ThreeD, kHelpContext, parent)
{
}

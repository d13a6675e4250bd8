#include "stress/ui/StressDlg.h"

#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "stress/ui/SensorPlot.h"
#include "widgets/ExtPage.h"
#include "widgets/LED.h"
#include "widgets/TransBtn.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>

using qv::platform::guardedSlot;

namespace qv::stress {

namespace {

constexpr auto kSampleEvery = std::chrono::seconds(1);
constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

TTransparentButton* makeButton(QWidget* parent, const QString& caption, const QString& glyph, const QRect& at)
{
    auto* button = new TTransparentButton(parent);
    button->setCaption(caption);
    button->setGlyph(look::picture(glyph));
    button->setFrameStyle(TTransparentButton::fsNone);
    button->setCursor(Qt::PointingHandCursor);
    button->setGeometry(at);
    look::styleDialogButton(*button);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& caption, const QRect& at)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(at);
    return label;
}

} // namespace

TStressDlg::TStressDlg(QWidget* parent, StressMonitor::ReadSensors readSensors)
    : QvDialog(parent)
    , m_readSensors(std::move(readSensors))
{
    if (!m_readSensors)
        m_readSensors = [] { return SensorReader().read(); };
    setObjectName(QStringLiteral("StressDlg"));
    setWindowTitle(tr("Stability test"));
    const QFont font = look::msSansSerifFont(11);
    setFont(font);
    setFixedSize(512, 532);

    look::titleBand(*this, QStringLiteral(":/pictures/title_stability.png"), windowTitle())
        ->setGeometry(0, 0, width(), look::kTitleBandHeight);

    m_pages = new TExtPageControl(this);
    m_pages->setGeometry(6, look::kTitleBandHeight + 6, 500, 410);
    auto* testPage = new TTabSheet(this);
    testPage->setCaption(tr("Test"));
    auto* errorsPage = new TTabSheet(this);
    errorsPage->setCaption(tr("Errors"));
    look::attachDialogPages(*m_pages, {testPage, errorsPage}, font);
    buildTestPage(*testPage);
    m_errors = new QPlainTextEdit(errorsPage);
    m_errors->setReadOnly(true);
    m_errors->setGeometry(8, 8, 476, 362);
    m_errors->setPlainText(tr("No error so far."));

    m_help = makeButton(this, tr("&Help"), QStringLiteral(":/pictures/btn_help.png"), {6, 480, 115, 43});
    m_close = makeButton(this, tr("&Close"), QStringLiteral(":/pictures/btn_close.png"), {391, 480, 115, 43});
    setDefaultButton(m_close);
    setCancelButton(m_close);
    connect(m_start, &TTransparentButton::clicked, this, guardedSlot(this, &TStressDlg::StartClick));
    connect(m_stop, &TTransparentButton::clicked, this, guardedSlot(this, &TStressDlg::StopClick));
    connect(m_help, &TTransparentButton::clicked, this, guardedSlot(this, &TStressDlg::HelpClick));
    connect(m_close, &TTransparentButton::clicked, this, &QDialog::reject);
    connect(&m_timer, &QTimer::timeout, this, guardedSlot(this, &TStressDlg::sample));
    m_timer.setInterval(kSampleEvery);
    platform::HelpEngine::bindHelpKey(this, kHelpContext);
    look::applyDialogLook(*this);
    setRunning(false);
}

TStressDlg::~TStressDlg() = default;

void TStressDlg::buildTestPage(TTabSheet& page)
{
    makeLabel(&page, tr("&Duration:"), {8, 10, 50, 20})->setBuddy(m_duration = new QComboBox(&page));
    m_duration->setGeometry(60, 8, 170, 24);
    for (const auto minutes : kDurationChoices)
        m_duration->addItem(tr("%n min", nullptr, static_cast<int>(minutes.count())));
    m_duration->addItem(tr("Until stopped"));
    m_duration->setCurrentIndex(2);
    makeLabel(&page, tr("&Load:"), {8, 40, 50, 20})->setBuddy(m_load = new QComboBox(&page));
    m_load->setGeometry(60, 38, 170, 24);
    m_load->addItems({tr("Processors and memory"), tr("Processors"), tr("Memory")});

    m_start = makeButton(&page, tr("&Start"), QStringLiteral(":/pictures/btn_start.png"), {250, 4, 115, 43});
    m_stop = makeButton(&page, tr("S&top"), QStringLiteral(":/pictures/btn_cancel.png"), {370, 4, 115, 43});
    m_elapsed = makeLabel(&page, tr("Elapsed: -"), {250, 50, 115, 18});
    m_remaining = makeLabel(&page, tr("Remaining: -"), {370, 50, 118, 18});

    auto* scroll = new QScrollArea(&page);
    scroll->setGeometry(8, 72, 476, 120);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::StyledPanel);
    scroll->setAccessibleName(tr("Workers and memory"));
    scroll->setFocusPolicy(Qt::NoFocus);
    m_rows = new QWidget;
    scroll->setWidget(m_rows);
    new QGridLayout(m_rows);

    m_sensors = makeLabel(&page, QString(), {8, 196, 476, 18});
    m_plot = new SensorPlot(&page);
    m_plot->setGeometry(8, 216, 476, 120);
    m_verdict = makeLabel(&page, QString(), {8, 342, 476, 36});
    m_verdict->setWordWrap(true);
    m_verdict->setFont(look::msSansSerifFont(11, true));
}

// One light and one line of counts per worker, and one for the memory tester.
void TStressDlg::buildRows(const StressPlan& plan)
{
    auto* grid = static_cast<QGridLayout*>(m_rows->layout());
    while (QLayoutItem* item = grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_lights.clear();
    m_counts.clear();
    const int workers = plan.processors.value_or(static_cast<int>(usableProcessors().size()));
    const int rows = workers + (plan.memory ? 1 : 0);
    for (int row = 0; row < rows; ++row) {
        auto* light = new TLED(m_rows);
        light->setColor(TLED::lcGreen);
        light->setLit(true);
        light->setFixedSize(14, 14);
        auto* counts = new QLabel(m_rows);
        grid->addWidget(light, row, 0);
        grid->addWidget(counts, row, 1);
        m_lights.push_back(light);
        m_counts.push_back(counts);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(rows, 1);
}

void TStressDlg::StartClick()
{
    const auto load = static_cast<LoadChoice>(m_load->currentIndex());
    startWith(planFor(static_cast<std::size_t>(m_duration->currentIndex()), load));
}

void TStressDlg::startWith(StressPlan plan)
{
    m_plan = std::move(plan);
    buildRows(m_plan);
    m_verdict->clear();
    m_errors->setPlainText(tr("No error so far."));
    m_monitor = std::make_unique<StressMonitor>(m_test, m_readSensors);
    m_test.start(m_plan);
    setRunning(true);
    m_timer.start();
    sample();
}

void TStressDlg::StopClick()
{
    m_test.stop(tr("Stopped by the user").toStdString());
    sample();
}

void TStressDlg::HelpClick()
{
    platform::HelpEngine::instance().showHelp(this, kHelpContext);
}

bool TStressDlg::running() const
{
    return m_timer.isActive();
}

void TStressDlg::sample()
{
    if (!m_monitor)
        return;
    const StressSnapshot snapshot = m_monitor->tick();
    showCounters(snapshot);
    if (!snapshot.running)
        finish(snapshot);
}

void TStressDlg::showCounters(const StressSnapshot& snapshot)
{
    m_elapsed->setText(tr("Elapsed: %1").arg(text(durationText(snapshot.elapsed))));
    m_remaining->setText(m_plan.duration.count() == 0
                             ? tr("Until stopped")
                             : tr("Remaining: %1").arg(text(remainingText(m_plan, snapshot.elapsed))));
    std::size_t row = 0;
    for (const WorkerCounters& worker : snapshot.workers) {
        if (row >= m_lights.size())
            break;
        m_lights[row]->setColor(worker.errors == 0 ? TLED::lcGreen : TLED::lcRed);
        const QString who =
            worker.processor >= 0 ? tr("Processor %1").arg(worker.processor) : tr("Worker %1").arg(row);
        m_counts[row++]->setText(
            tr("%1: %2 passes, %3 errors").arg(who).arg(worker.passes).arg(worker.errors));
    }
    if (snapshot.memoryTested && row < m_lights.size()) {
        m_lights[row]->setColor(snapshot.memoryErrors == 0 ? TLED::lcGreen : TLED::lcRed);
        QString line = tr("Memory %1 MiB: %2 passes, %3 errors")
                           .arg(snapshot.memoryBytes / kMiB)
                           .arg(snapshot.memoryPasses)
                           .arg(snapshot.memoryErrors);
        if (!snapshot.memoryNotes.empty() && snapshot.memoryNotes.front().rfind("Random data", 0) != 0)
            line += QStringLiteral(" \u2014 ") + text(snapshot.memoryNotes.front());
        m_counts[row]->setText(line);
        m_counts[row]->setToolTip(line);
    }

    const SensorReading& reading = m_monitor->lastReading();
    QStringList facts;
    if (const Temperature* hottest = reading.hottest())
        facts << tr("Hottest: %1 \u00b0C (%2 %3)")
                     .arg(hottest->celsius, 0, 'f', 1)
                     .arg(text(hottest->chip), text(hottest->label));
    else
        facts << QString::fromUtf8(kNoTemperatureSensors);
    if (const auto clock = reading.meanClockMHz())
        facts << tr("mean clock %1 MHz").arg(*clock, 0, 'f', 0);
    if (reading.throttleCount)
        facts << tr("throttled %1 times").arg(*reading.throttleCount);
    m_sensors->setText(facts.join(QStringLiteral(", ")));
    m_plot->setHistory(m_monitor->history(), m_monitor->withoutTemperatures());

    if (!snapshot.firstErrors.empty()) {
        QStringList lines;
        for (const StressError& error : snapshot.firstErrors)
            lines << text(describe(error));
        m_errors->setPlainText(lines.join(QLatin1Char('\n')));
    }
}

void TStressDlg::finish(const StressSnapshot& snapshot)
{
    m_timer.stop();
    m_test.wait();
    QString verdict = text(verdictLine(snapshot));
    if (!snapshot.firstErrors.empty())
        verdict += tr("; first: %1").arg(text(describe(snapshot.firstErrors.front())));
    m_verdict->setText(verdict);
    setRunning(false);
}

void TStressDlg::setRunning(bool running)
{
    m_start->setEnabled(!running);
    m_stop->setEnabled(running);
    m_duration->setEnabled(!running);
    m_load->setEnabled(!running);
}

// Closing stops the test and frees its memory first.
void TStressDlg::done(int result)
{
    if (m_test.snapshot().running)
        m_test.stop();
    m_timer.stop();
    QvDialog::done(result);
}

} // namespace qv::stress

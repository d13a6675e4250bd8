#include "bench/display/SteppedBench.h"

#include "bench/display/DisplayTests.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace qv::bench::display {

namespace {

// How long one turn of the frame loop draws before the event loop turns again.
constexpr std::int64_t kStepNs = 20'000'000;
// How long the window may take to appear on the screen.
constexpr std::int64_t kShowTimeoutMs = 5000;
constexpr std::int64_t kProgressIntervalMs = 100;
// A test's rate is that of its faster frames: the rate that a tenth of its measured frames reached or beat.
// A virtual machine's processor runs at half speed for a second or more whenever the host shares its core
// (seen on the development machine: the same batch took 57 ms, then 100 ms for ten frames), and a mean
// over the whole test would carry such episodes into the figure at random. Each frame is timed until it
// is done (drawFrame waits for it), so no frame borrows time from another.
constexpr double kRateQuantile = 0.9;
// The tests take turns: one unmeasured turn of the warm-up each, then kRounds measured turns of a sixth of
// the measured time each, so that a slow stretch of several seconds falls on every test alike instead of
// on whichever test ran then.
constexpr int kRounds = 6;

double quantile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    const auto rank = std::ptrdiff_t(share * double(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + rank, values.end());
    return values[std::size_t(rank)];
}

} // namespace

SteppedBench::SteppedBench(DisplayKind kind, QSize windowSize)
    : m_kind(kind)
    , m_size(windowSize)
{
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { step(); });
}

SteppedBench::~SteppedBench() = default;

void SteppedBench::start(const DisplaySettings& settings, DisplayCallbacks callbacks)
{
    stop();
    m_settings = settings;
    m_callbacks = std::move(callbacks);
    m_result = DisplayResult();
    m_result.kind = m_kind;
    m_result.width = m_size.width();
    m_result.height = m_size.height();
    m_result.platform = QGuiApplication::platformName().toStdString();
    m_prepared = false;
    m_test = 0;
    // The window opens at the first step, so that a failure reaches the caller after start() has returned.
    m_timer.start();
}

void SteppedBench::open()
{
    m_window = createWindow();
    m_window->setTitle(m_kind == DisplayKind::TwoD ? QStringLiteral("Standard display benchmark")
                                                   : QStringLiteral("3D display benchmark"));
    m_window->setMinimumSize(m_size);
    m_window->setMaximumSize(m_size);
    m_window->resize(m_size);
    m_window->show();
    m_clock.start();
    m_lastProgress.start();
}

void SteppedBench::stop()
{
    m_timer.stop();
    m_window.reset();
}

void SteppedBench::fail(const std::string& message)
{
    const auto failed = m_callbacks.failed;
    stop();
    if (failed)
        failed(message);
}

void SteppedBench::end()
{
    const DisplayResult result = std::move(m_result);
    const auto finished = m_callbacks.finished;
    stop();
    if (finished)
        finished(result);
}

void SteppedBench::step()
{
    if (!m_window) {
        try {
            checkDisplay();
        } catch (const std::exception& error) {
            fail(error.what());
            return;
        }
        open();
        return;
    }
    if (!m_prepared) {
        if (!m_window->isExposed()) {
            if (m_clock.elapsed() > kShowTimeoutMs)
                fail("The test window did not appear on the screen.");
            return;
        }
        try {
            prepare(*m_window, m_result);
        } catch (const std::exception& error) {
            fail(error.what());
            return;
        }
        m_result.scale = m_window->devicePixelRatio();
        m_prepared = true;
        m_round = 0;
        m_test = 0;
        m_frameRates.assign(displayTests(m_kind).size(), {});
        m_frames.assign(displayTests(m_kind).size(), {});
        m_clock.start();
    }
    QElapsedTimer turn;
    turn.start();
    while (turn.nsecsElapsed() < kStepNs) {
        QElapsedTimer frame;
        frame.start();
        const std::int64_t operations = drawFrame(m_test);
        const std::int64_t frameNs = std::max<std::int64_t>(frame.nsecsElapsed(), 1);
        if (measuring())
            m_frameRates[m_test].push_back(double(operations) * 1e9 / double(frameNs));
        if (m_clock.nsecsElapsed() >= turnNs()) {
            if (nextTurn()) {
                end();
                return;
            }
            break;
        }
    }
    if (m_callbacks.progress && m_lastProgress.elapsed() >= kProgressIntervalMs) {
        m_lastProgress.start();
        m_callbacks.progress(progressText());
    }
}

std::int64_t SteppedBench::turnNs() const
{
    const auto ms = measuring() ? m_settings.duration.count() / kRounds : m_settings.warmUp.count();
    return std::int64_t(ms) * 1'000'000;
}

bool SteppedBench::nextTurn()
{
    const std::size_t tests = displayTests(m_kind).size();
    if (m_round == kRounds && m_settings.keepFrames)
        m_frames[m_test] = readFrame(); // the test's last frame, before another test draws
    m_clock.start();
    if (++m_test < tests)
        return false;
    m_test = 0;
    if (++m_round <= kRounds)
        return false;
    for (std::size_t test = 0; test < tests; ++test)
        finishTest(test);
    return true;
}

std::string SteppedBench::progressText() const
{
    const std::size_t tests = displayTests(m_kind).size();
    const double warmUp = double(m_settings.warmUp.count());
    const double measured = double(m_settings.duration.count());
    const double turns = double(m_test) * (measuring() ? measured / kRounds : warmUp);
    const double done = (m_round == 0 ? 0.0 : double(tests) * (warmUp + (m_round - 1) * measured / kRounds)) +
                        turns + double(m_clock.elapsed());
    const double total = double(tests) * (warmUp + measured);
    return std::string(displayTests(m_kind)[m_test].label) + ": " +
           std::to_string(std::min(99, int(100 * done / total))) + " %";
}

QPointF SteppedBench::spreadPoint(int n)
{
    // The additive recurrence of the plastic number, whose points fill the square evenly in any prefix.
    constexpr double kX = 0.7548776662466927;
    constexpr double kY = 0.5698402909980532;
    double whole = 0;
    return {std::modf(0.5 + kX * n, &whole), std::modf(0.5 + kY * n, &whole)};
}

Frame SteppedBench::frameOf(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Frame frame{argb.width(), argb.height(), {}};
    frame.pixels.reserve(std::size_t(frame.width) * std::size_t(frame.height));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
        frame.pixels.insert(frame.pixels.end(), line, line + argb.width());
    }
    return frame;
}

void SteppedBench::finishTest(std::size_t test)
{
    const DisplayTest& shown = displayTests(m_kind)[test];
    DisplayTestResult measured;
    measured.key = shown.key;
    measured.label = shown.label;
    measured.rate = quantile(m_frameRates[test], kRateQuantile);
    const double primitives = primitivesPerOperation(test);
    measured.primitivesPerSecond = primitives > 0 ? measured.rate * primitives : measured.rate;
    measured.frame = std::move(m_frames[test]);
    m_result.tests.push_back(std::move(measured));
}

} // namespace qv::bench::display

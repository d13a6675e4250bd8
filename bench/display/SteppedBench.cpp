#include "bench/display/SteppedBench.h"

#include "bench/display/DisplayTests.h"

#include <QGuiApplication>

#include <cmath>
#include <stdexcept>

namespace qv::bench::display {

namespace {

// How long one turn of the frame loop draws before the event loop turns again.
constexpr std::int64_t kStepNs = 20'000'000;
// How long the window may take to appear on the screen.
constexpr std::int64_t kShowTimeoutMs = 5000;
constexpr std::int64_t kProgressIntervalMs = 100;

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
        m_measuring = false;
        m_operations = 0;
        m_clock.start();
    }
    const std::span<const DisplayTest> tests = displayTests(m_kind);
    QElapsedTimer turn;
    turn.start();
    while (turn.nsecsElapsed() < kStepNs) {
        const std::int64_t operations = drawFrame(m_test);
        const std::int64_t elapsed = m_clock.nsecsElapsed();
        if (!m_measuring) {
            if (elapsed >= std::int64_t(m_settings.warmUp.count()) * 1'000'000) {
                m_measuring = true;
                m_clock.start();
            }
            continue;
        }
        m_operations += operations;
        if (elapsed >= std::int64_t(m_settings.duration.count()) * 1'000'000) {
            m_measuredNs = elapsed;
            finishTest();
            if (m_test == tests.size()) {
                end();
                return;
            }
            break;
        }
    }
    if (m_callbacks.progress && m_lastProgress.elapsed() >= kProgressIntervalMs) {
        m_lastProgress.start();
        const double total = double(m_settings.warmUp.count() + m_settings.duration.count());
        const double done =
            double(m_clock.elapsed()) + (m_measuring ? double(m_settings.warmUp.count()) : 0.0);
        m_callbacks.progress(std::string(tests[m_test].label) + ": " +
                             std::to_string(std::min(99, int(100 * done / total))) + " %");
    }
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

void SteppedBench::finishTest()
{
    const DisplayTest& test = displayTests(m_kind)[m_test];
    DisplayTestResult measured;
    measured.key = test.key;
    measured.label = test.label;
    measured.rate = double(m_operations) / (double(m_measuredNs) / 1e9);
    const double primitives = primitivesPerOperation(m_test);
    measured.primitivesPerSecond = primitives > 0 ? measured.rate * primitives : measured.rate;
    if (m_settings.keepFrames)
        measured.frame = readFrame();
    m_result.tests.push_back(std::move(measured));
    ++m_test;
    m_measuring = false;
    m_operations = 0;
    m_clock.start();
}

} // namespace qv::bench::display

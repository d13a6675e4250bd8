#pragma once

#include "bench/display/DisplayBench.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWindow>

#include <cstdint>
#include <memory>

namespace qv::bench::display {

// The frame loop both engines share: shows the test window, waits until it is on the screen, then runs
// each test for its warm-up and its measured time, a few frames per turn of the event loop, and counts
// the operations of the measured frames.
class SteppedBench : public DisplayBench {
public:
    SteppedBench(DisplayKind kind, QSize windowSize);
    ~SteppedBench() override;
    SteppedBench(const SteppedBench&) = delete;
    SteppedBench& operator=(const SteppedBench&) = delete;

    void start(const DisplaySettings& settings, DisplayCallbacks callbacks) override;
    void stop() override;
    bool running() const override { return m_timer.isActive(); }

protected:
    // Throws std::runtime_error, with the message to show, where this display cannot run the benchmark.
    virtual void checkDisplay() {}
    // The test window, not shown yet.
    virtual std::unique_ptr<QWindow> createWindow() = 0;
    // Once the window is on the screen: sets up what the tests draw with. Throws std::runtime_error with
    // the message to show when it cannot.
    virtual void prepare(QWindow& window, DisplayResult& result) = 0;
    // Draws one frame of test `test` and waits until it has reached the display; returns its operations.
    virtual std::int64_t drawFrame(std::size_t test) = 0;
    // The last frame drawn, read back.
    virtual Frame readFrame() = 0;
    // Triangles (3D) per operation of `test`; 0 where the figure means nothing else than the rate.
    virtual double primitivesPerOperation(std::size_t test) const = 0;

    // The n-th point of a fixed, evenly spread sequence over the unit square (each coordinate in [0, 1)):
    // the same shapes in every run, without a seeded generator.
    static QPointF spreadPoint(int n);

    // A window's or a framebuffer's image as a Frame.
    static Frame frameOf(const QImage& image);

private:
    void step();
    void open();
    void fail(const std::string& message);
    void finishTest();
    void end();

    DisplayKind m_kind;
    QSize m_size;
    DisplaySettings m_settings;
    DisplayCallbacks m_callbacks;
    std::unique_ptr<QWindow> m_window;
    QTimer m_timer;
    QElapsedTimer m_clock; // since the window was shown, then since the test began
    QElapsedTimer m_lastProgress;
    bool m_prepared = false;
    std::size_t m_test = 0;
    bool m_measuring = false;
    std::int64_t m_operations = 0;
    std::int64_t m_measuredNs = 0;
    DisplayResult m_result;
};

} // namespace qv::bench::display

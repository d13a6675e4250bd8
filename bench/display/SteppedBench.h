#pragma once

#include "bench/display/DisplayBench.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWindow>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv::bench::display {

// The frame loop both engines share: shows the test window, waits until it is on the screen, then gives
// the tests turns (a warm-up turn each, then the measured rounds), a few frames per turn of the event
// loop, and times each measured frame.
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
    // Draws one frame of test `test` and waits until it is done (2D: has reached the display; 3D: the
    // renderer has finished it); returns its operations.
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
    // Whether the frames drawn now are counted (false during the tests' warm-up turns).
    bool measuring() const { return m_round > 0; }

private:
    void step();
    void open();
    void fail(const std::string& message);
    std::int64_t turnNs() const;
    // Moves on to the next test's turn; true when the last turn has ended and every result is in.
    bool nextTurn();
    std::string progressText() const;
    void finishTest(std::size_t test);
    void end();

    DisplayKind m_kind;
    QSize m_size;
    DisplaySettings m_settings;
    DisplayCallbacks m_callbacks;
    std::unique_ptr<QWindow> m_window;
    QTimer m_timer;
    QElapsedTimer m_clock; // since the window was shown, then since the turn began
    QElapsedTimer m_lastProgress;
    bool m_prepared = false;
    std::size_t m_test = 0;                        // whose turn it is
    int m_round = 0;                               // 0: the warm-up turns; then the measured rounds
    std::vector<std::vector<double>> m_frameRates; // per test: operations per second of each measured frame
    std::vector<Frame> m_frames;                   // per test: its last frame, where kept
    DisplayResult m_result;
};

} // namespace qv::bench::display

#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv::bench::display {

// The two display benchmarks: drawing with the painter in a window (2D) and OpenGL scenes (3D).
enum class DisplayKind { TwoD, ThreeD };

struct DisplaySettings {
    std::chrono::milliseconds duration{3000}; // measured, per test
    std::chrono::milliseconds warmUp{500};    // run before each test, not measured
    bool keepFrames = false;                  // read each test's last frame back (for checks)
};

// A frame read back from the display: width × height pixels, 0xAARRGGBB, top row first.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct DisplayTestResult {
    std::string key;                // "Lines", the start of the figure's name
    std::string label;              // "Lines"
    double rate = 0;                // operations (2D) or frames (3D) per second
    double primitivesPerSecond = 0; // 3D: triangles drawn per second; 2D: equal to the rate
    Frame frame;                    // with keepFrames only
};

struct DisplayResult {
    DisplayKind kind = DisplayKind::TwoD;
    std::vector<DisplayTestResult> tests;
    bool stopped = false;
    int width = 0; // the window's size in logical pixels
    int height = 0;
    double scale = 1;     // device pixels per logical pixel
    std::string platform; // Qt's platform: "xcb", "wayland", "offscreen"
    // OpenGL's strings and whether they name a software renderer (3D only).
    std::string renderer;
    std::string vendor;
    std::string version;
    bool software = false;
};

// What a run reports, on the thread that runs the event loop. Exactly one of finished and failed ends it.
struct DisplayCallbacks {
    std::function<void(const std::string&)> progress;
    std::function<void(const DisplayResult&)> finished;
    std::function<void(const std::string&)> failed;
};

// A benchmark run on the GUI thread in a window of its own, in short steps between which the event loop
// turns, so that the window that started it stays responsive. stop() (or the object's end) ends the
// run within one step (a few tenths of a second at most) and closes the test window; finished is then
// called with `stopped` set. Needs a QGuiApplication.
class DisplayBench {
public:
    virtual ~DisplayBench() = default;
    virtual void start(const DisplaySettings& settings, DisplayCallbacks callbacks) = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
};

// The engines live in modules of their own (the 3D one brings Qt OpenGL), each loaded at first use.
// This is their one entry point.
inline constexpr char kDisplayBenchEntryPoint[] = "qvCreateDisplayBench";
using DisplayBenchEntryPoint = DisplayBench*();

// The engine of `kind`, loaded from its module; nullptr when the module cannot be loaded (`error` says
// why).
std::unique_ptr<DisplayBench> loadDisplayBench(DisplayKind kind, std::string* error = nullptr);

// "2d" / "3d", as on the command line and in saved results.
std::string_view displayKindName(DisplayKind kind);

} // namespace qv::bench::display

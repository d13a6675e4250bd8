#pragma once

#include "bench/display/DisplayBench.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qv::bench::display {

// One timed test of a benchmark: a 2D drawing batch or a 3D scene.
struct DisplayTest {
    std::string_view key;   // "Lines": the figures' names start with it
    std::string_view label; // "Lines", as the windows show it
    std::string_view unit;  // "operations/s" or "frames/s"
};
std::span<const DisplayTest> displayTests(DisplayKind kind);

// The measured time of each test unless the user chooses another: 3 s for each of the nine 2D tests, 6 s
// for each of the three 3D scenes, so that a 3D run outlasts the slow stretches of a shared host as a 2D
// run does (with 3 s, three 3D runs in a row spread up to 8.5 % on the development machine).
std::chrono::milliseconds defaultDisplayDuration(DisplayKind kind);

// A configuration measured with the program (see docs/display-benchmarks.md): its rate of each test,
// in the order of displayTests.
struct DisplayReference {
    std::string_view label;
    std::vector<double> rates;
};
const std::vector<DisplayReference>& displayReferences(DisplayKind kind);

// The geometric mean of the rates over that of the first reference row (the baseline), times 100; 0 when
// a rate is missing or not positive.
double displayIndex(DisplayKind kind, std::span<const double> rates);

// The rate of each test of a run, in the order of displayTests; 0 for a test that did not run.
std::vector<double> displayRates(const DisplayResult& result);

// The colours a test draws with: everything it draws is `ink`, or `ink` blended with `background` (edges
// smoothed, translucent layers, lighting towards black for the 3D model). 0xRRGGBB.
struct SceneColours {
    std::uint32_t background;
    std::uint32_t ink;
};
SceneColours sceneColours(DisplayKind kind, std::size_t test);

// Whether OpenGL's renderer string names a renderer that draws with the processor.
bool isSoftwareRenderer(std::string_view renderer);

} // namespace qv::bench::display

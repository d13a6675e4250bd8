#include "bench/display/DisplayTests.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <string>

namespace qv::bench::display {

namespace {

constexpr std::string_view kOperations = "operations/s";
constexpr std::string_view kFrames = "frames/s";

constexpr std::array<DisplayTest, 9> k2DTests{{
    {"Lines", "Lines", kOperations},
    {"Rectangles", "Filled rectangles", kOperations},
    {"Ellipses", "Ellipses", kOperations},
    {"TextSans", "Text, sans serif 10 pt", kOperations},
    {"TextSerif", "Text, serif 20 pt", kOperations},
    {"ImageOpaque", "Image copies, opaque", kOperations},
    {"ImageAlpha", "Image copies with alpha", kOperations},
    {"Polygons", "Polygons", kOperations},
    {"Scrolling", "Scrolling", kOperations},
}};

constexpr std::array<DisplayTest, 3> k3DTests{{
    {"Vertex", "Flat triangles (vertex rate)", kFrames},
    {"Fill", "Blended textured quads (fill rate)", kFrames},
    {"Model", "Lit model", kFrames},
}};

} // namespace

std::span<const DisplayTest> displayTests(DisplayKind kind)
{
    if (kind == DisplayKind::TwoD)
        return k2DTests;
    return k3DTests;
}

std::chrono::milliseconds defaultDisplayDuration(DisplayKind kind)
{
    return kind == DisplayKind::TwoD ? std::chrono::seconds(3) : std::chrono::seconds(6);
}

const std::vector<DisplayReference>& displayReferences(DisplayKind kind)
{
    // Measured with the program (the median of three runs of 3 s per test, nothing else running) on the
    // development machine, a virtual machine with 2 processors, on Xvfb; the first row of each is the
    // baseline.
    static const std::vector<DisplayReference> k2D{
        {"Xvfb 24-bit, 2 virtual processors",
         {589'000, 3'900'000, 161'000, 163'000, 107'000, 2'730'000, 679'000, 292'000, 10'950}},
    };
    static const std::vector<DisplayReference> k3D{
        {"llvmpipe on Xvfb, 2 virtual processors", {33.0, 84.6, 27.4}},
    };
    if (kind == DisplayKind::TwoD)
        return k2D;
    return k3D;
}

double displayIndex(DisplayKind kind, std::span<const double> rates)
{
    const std::vector<double>& base = displayReferences(kind).front().rates;
    if (rates.size() != base.size() || rates.empty())
        return 0;
    double logSum = 0;
    for (std::size_t i = 0; i < rates.size(); ++i) {
        if (!(rates[i] > 0) || !std::isfinite(rates[i]))
            return 0;
        logSum += std::log(rates[i] / base[i]);
    }
    return 100 * std::exp(logSum / double(rates.size()));
}

std::vector<double> displayRates(const DisplayResult& result)
{
    const std::span<const DisplayTest> tests = displayTests(result.kind);
    std::vector<double> rates(tests.size(), 0.0);
    for (const DisplayTestResult& measured : result.tests) {
        const auto test = std::find_if(tests.begin(), tests.end(),
                                       [&](const DisplayTest& known) { return known.key == measured.key; });
        if (test != tests.end())
            rates[std::size_t(test - tests.begin())] = measured.rate;
    }
    return rates;
}

SceneColours sceneColours(DisplayKind kind, std::size_t test)
{
    static constexpr std::array<std::uint32_t, 9> k2DInks{0xc81e1e, 0x1e961e, 0x1e1ec8, 0x780078, 0x006e6e,
                                                          0xe67800, 0x0000ff, 0x8c5a14, 0x5a5a5a};
    static constexpr std::array<SceneColours, 3> k3D{
        {{0x1a1a1a, 0x33cc4d}, {0x1a1a1a, 0xff8c1a}, {0x000000, 0x4d80ff}}};
    if (kind == DisplayKind::TwoD)
        return {0xffffff, k2DInks.at(test)};
    return k3D.at(test);
}

bool isSoftwareRenderer(std::string_view renderer)
{
    std::string lower(renderer);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    for (const std::string_view name :
         {"llvmpipe", "softpipe", "software rasterizer", "swiftshader", "swrast"}) {
        if (lower.find(name) != std::string::npos)
            return true;
    }
    return false;
}

std::string_view displayKindName(DisplayKind kind)
{
    return kind == DisplayKind::TwoD ? "2d" : "3d";
}

} // namespace qv::bench::display

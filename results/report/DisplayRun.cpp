#include "results/report/DisplayRun.h"

#include "bench/display/DisplayTests.h"

#include <cmath>

namespace qv::cli {

namespace bd = bench::display;

DisplayBenchSession displayBenchSession(const bd::DisplaySettings& settings, const bd::DisplayResult& result)
{
    DisplayBenchSession session;
    const bool twoD = result.kind == bd::DisplayKind::TwoD;
    const std::vector<double> rates = bd::displayRates(result);
    const auto tests = bd::displayTests(result.kind);
    for (std::size_t i = 0; i < tests.size(); ++i) {
        const std::string key(tests[i].key);
        if (twoD) {
            session.figures.push_back({key + "PerSecond", rates[i]});
            continue;
        }
        double triangles = 0;
        for (const bd::DisplayTestResult& test : result.tests)
            triangles = test.key == key ? test.primitivesPerSecond : triangles;
        session.figures.push_back({key + "Fps", rates[i]});
        session.figures.push_back({key + "TrianglesPerSecond", std::round(triangles)});
    }
    if (twoD)
        session.figures.push_back({"Scale", result.scale});
    session.figures.push_back(
        {twoD ? "Display2DIndex" : "Display3DIndex", std::round(bd::displayIndex(result.kind, rates))});
    session.setup = {{"Platform", result.platform},
                     {"Window", std::to_string(result.width) + "x" + std::to_string(result.height)},
                     {"Seconds", std::to_string(double(settings.duration.count()) / 1000).substr(0, 4)}};
    if (!twoD) {
        session.setup["Renderer"] = result.renderer;
        session.setup["Vendor"] = result.vendor;
        session.setup["Version"] = result.version;
        session.setup["SoftwareRenderer"] = result.software ? "yes" : "no";
    }
    return session;
}

} // namespace qv::cli

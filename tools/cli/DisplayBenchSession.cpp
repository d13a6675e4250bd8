#include "tools/cli/DisplayBenchSession.h"

#include "bench/display/DisplayTests.h"
#include "platform/DisplayCheck.h"
#include "tools/cli/DisplaySession.h"

#include <QEventLoop>

#include <cmath>
#include <stdexcept>

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

namespace {

std::string benchmarkName(bd::DisplayKind kind)
{
    return kind == bd::DisplayKind::TwoD ? "the 2D display benchmark" : "the 3D display benchmark";
}

} // namespace

void requireDisplay(bd::DisplayKind kind)
{
    if (const QString reason = platform::checkDisplay(); !reason.isEmpty())
        throw std::runtime_error(benchmarkName(kind) + " needs a display: " + reason.toStdString());
}

DisplayBenchSession runDisplayBenchSession(bd::DisplayKind kind, const bd::DisplaySettings& settings)
{
    requireDisplay(kind);
    const std::unique_ptr<QCoreApplication> application = applicationForTheScreen();
    if (QCoreApplication::instance() == nullptr || !QCoreApplication::instance()->inherits("QGuiApplication"))
        throw std::runtime_error(benchmarkName(kind) + " cannot open a window here");
    std::string failure;
    const std::unique_ptr<bd::DisplayBench> bench = bd::loadDisplayBench(kind, &failure);
    if (!bench)
        throw std::runtime_error(failure);
    std::optional<bd::DisplayResult> result;
    QEventLoop loop;
    bench->start(settings, {{},
                            [&](const bd::DisplayResult& done) {
                                result = done;
                                loop.quit();
                            },
                            [&](const std::string& message) {
                                failure = message;
                                loop.quit();
                            }});
    loop.exec();
    if (!result)
        throw std::runtime_error(failure);
    return displayBenchSession(settings, *result);
}

} // namespace qv::cli

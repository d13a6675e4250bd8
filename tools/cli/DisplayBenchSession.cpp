#include "tools/cli/DisplayBenchSession.h"

#include "platform/DisplayCheck.h"
#include "tools/cli/DisplaySession.h"

#include <QEventLoop>

#include <stdexcept>

namespace qv::cli {

namespace bd = bench::display;

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

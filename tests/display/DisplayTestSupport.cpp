#include "tests/display/DisplayTestSupport.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>

namespace qv::test {

namespace bd = bench::display;

std::optional<bd::DisplayResult> runToEnd(bd::DisplayBench& bench, const bd::DisplaySettings& settings,
                                          std::string* failure)
{
    std::optional<bd::DisplayResult> result;
    QEventLoop loop;
    bench.start(settings, {{},
                           [&](const bd::DisplayResult& done) {
                               result = done;
                               loop.quit();
                           },
                           [&](const std::string& message) {
                               if (failure != nullptr)
                                   *failure = message;
                               loop.quit();
                           }});
    // A run that never ends fails the test instead of hanging it.
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

InkShares inkShares(const bd::Frame& frame, std::uint32_t background, std::uint32_t ink)
{
    const auto channels = [](std::uint32_t colour) {
        return std::array<double, 3>{double((colour >> 16U) & 0xffU), double((colour >> 8U) & 0xffU),
                                     double(colour & 0xffU)};
    };
    const auto from = channels(background);
    const auto to = channels(ink);
    double length = 0;
    for (std::size_t c = 0; c < 3; ++c)
        length += (to[c] - from[c]) * (to[c] - from[c]);
    std::size_t inked = 0;
    std::size_t foreign = 0;
    for (const std::uint32_t pixel : frame.pixels) {
        const auto value = channels(pixel);
        double along = 0;
        for (std::size_t c = 0; c < 3; ++c)
            along += (value[c] - from[c]) * (to[c] - from[c]);
        const double t = std::clamp(along / length, 0.0, 1.0);
        double distance = 0;
        for (std::size_t c = 0; c < 3; ++c)
            distance = std::max(distance, std::abs(value[c] - (from[c] + t * (to[c] - from[c]))));
        if (distance > 12)
            ++foreign;
        else if (t >= 0.2)
            ++inked;
    }
    const auto count = double(std::max<std::size_t>(1, frame.pixels.size()));
    return {double(inked) / count, double(foreign) / count};
}

} // namespace qv::test

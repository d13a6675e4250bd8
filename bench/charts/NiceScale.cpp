#include "bench/charts/NiceScale.h"

#include <algorithm>
#include <cmath>

namespace qv::charts {

namespace {
// Relative slack for treating a quotient as a whole number despite binary rounding.
constexpr double kSlack = 1e-9;
} // namespace

double niceStep(double minimumStep)
{
    if (!(minimumStep > 0) || !std::isfinite(minimumStep))
        return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(minimumStep)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * decade >= minimumStep * (1 - kSlack))
            return factor * decade;
    }
    return 10 * decade;
}

double niceCeil(double value, double step)
{
    return std::ceil(value / step - kSlack) * step;
}

double niceFloor(double value, double step)
{
    return std::floor(value / step + kSlack) * step;
}

AxisTicks axisTicks(const ValueRange& range, double step, int minorPerMajor)
{
    AxisTicks ticks;
    if (!(step > 0) || !(range.span() > 0))
        return ticks;
    const double first = std::ceil(range.minimum / step - kSlack);
    const double last = std::floor(range.maximum / step + kSlack);
    // Start one interval early so that minor ticks before the first major tick are found too.
    const double minorStep = step / (minorPerMajor + 1);
    const double tolerance = step * kSlack;
    const auto majorCount = static_cast<long long>(last - first);
    for (long long i = -1; i <= majorCount; ++i) {
        const double major = (first + double(i)) * step;
        if (i >= 0)
            ticks.major.push_back(major);
        for (int m = 1; m <= minorPerMajor; ++m) {
            const double minor = major + m * minorStep;
            if (minor >= range.minimum - tolerance && minor <= range.maximum + tolerance)
                ticks.minor.push_back(minor);
        }
    }
    return ticks;
}

QString formatAxisValue(double value, double step)
{
    const int decimals = step >= 1 ? 0 : std::clamp(int(std::ceil(-std::log10(step) - kSlack)), 0, 9);
    if (std::fabs(value) < step * kSlack)
        value = 0; // never "-0"
    return QString::number(value, 'f', decimals);
}

QString formatMarkValue(double value)
{
    if (value == std::round(value))
        return QString::number(value, 'f', 0);
    return QString::number(value, 'g', 6);
}

} // namespace qv::charts

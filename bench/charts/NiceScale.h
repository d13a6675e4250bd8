#pragma once

#include "bench/charts/BarChart.h"

#include <vector>

namespace qv::charts {

// The smallest step of the form 1, 2 or 5 × 10^k that is at least `minimumStep`; 1 when
// `minimumStep` is not a positive finite number.
double niceStep(double minimumStep);

// `value` rounded up (niceCeil) or down (niceFloor) to a whole multiple of `step`, tolerating the
// rounding error of the division so that an exact multiple stays where it is.
double niceCeil(double value, double step);
double niceFloor(double value, double step);

// Tick values inside `range`: the major ticks at the multiples of `step`, and `minorPerMajor` minor
// ticks evenly between neighbouring multiples (also before the first and after the last major tick
// as far as the range reaches). Major tick values are exact multiples, never accumulated sums.
struct AxisTicks {
    std::vector<double> major;
    std::vector<double> minor;
};
AxisTicks axisTicks(const ValueRange& range, double step, int minorPerMajor);

// The text of a value on the axis and on a value mark: whole numbers without a fraction, others with
// the digits that the step needs.
QString formatAxisValue(double value, double step);
QString formatMarkValue(double value);

} // namespace qv::charts

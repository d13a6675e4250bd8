#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>

namespace qv::bench {

// Round to the nearest integer, halves to even (the processor's default rounding), independent of
// the floating-point environment's current mode.
template<std::floating_point Real>
Real roundHalfEven(Real value)
{
    const Real nearest = std::round(value); // halves away from zero
    if (std::fabs(value - std::trunc(value)) != Real(0.5))
        return nearest;
    return Real(2) * std::round(value / Real(2));
}

// roundHalfEven as a whole number of type Int, saturated at the type's range (NaN gives 0) so that no
// out-of-range conversion can happen.
template<std::integral Int, std::floating_point Real>
Int roundToInteger(Real value)
{
    if (std::isnan(value))
        return 0;
    const Real rounded = roundHalfEven(value);
    if (rounded <= Real(std::numeric_limits<Int>::min()))
        return std::numeric_limits<Int>::min();
    if (rounded >= Real(std::numeric_limits<Int>::max()))
        return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

// The extended-precision value nearest to one third, used by every run-count formula.
inline constexpr long double kOneThird = 1.0L / 3.0L;

} // namespace qv::bench

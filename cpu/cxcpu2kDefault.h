#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// The measurement every vendor uses and the naming fall-backs for an unrecognised vendor or a
// processor without CPUID.
namespace qv::cpu {

// Measured MHz over `delay` milliseconds (positive): from a tick edge of the tick counter to the first
// reading that reaches the start plus `delay`, with the time-stamp counter read right after each spin.
// 0.0 without the time-stamp counter feature. Busy-waits; never sleeps.
float MeasureClock(std::int32_t delay);

namespace cxcpu2kDefault {

QString GetShortName();       // "Unknown "
QString GetCompanyName();     // "Unknown Vendor"
QString GetSystemClassName(); // from the system's processor type: "Pentium class", "8664 class", ...

} // namespace cxcpu2kDefault

} // namespace qv::cpu

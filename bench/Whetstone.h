#pragma once

#include "bench/KernelClock.h"

#include <array>
#include <cstdint>

namespace qv::bench {

// Whetstone variables, one set per thread; arrays are indexed 1 … 4.
struct WhetstoneState {
    std::int32_t ITER = 0;
    double T2 = 0;
    double X1 = 0, X2 = 0, X3 = 0, X4 = 0;
    std::array<double, 4> E1{};
    std::int32_t J4 = 0; // J of module 4, a 32-bit integer there
    std::uint8_t J = 0, K = 0, L = 0;
    double X = 0, Y = 0, Z = 0;

    double& e1(int index) { return E1[static_cast<std::size_t>(index - 1)]; }
};

inline constexpr int kWhetstoneModules = 11;

// Passes of modules 1 … 11 (index 0 is module 1); modules 5 and 10 have none.
using WhetstonePassCounts = std::array<std::int32_t, kWhetstoneModules>;

// The kernel's state after the last call (or module); tests may set it up before running a module.
WhetstoneState& whetstoneState();

// ITER = round(scale × ⅓ + 1).
std::int32_t whetstoneIterations(double scale);
WhetstonePassCounts whetstonePassCounts(std::int32_t iter);

// (100 × ITER) / (elapsed × 0.001); 0 when no time elapsed.
double whetstoneRateFor(std::int32_t iter, double elapsedMs);

// Runs the eleven modules and returns one hundred times ITER per second.
double WhetstoneRate(double scale, KernelClock& clock = steadyKernelClock());

// The modules one by one, each from its starting values (module 3 continues from E1 and uses T2 as
// they stand). WhetstoneRate runs them in order; tests run them separately.
namespace whetstone {

void Module1(std::int32_t passes);
void Module2(std::int32_t passes);
void Module3(std::int32_t passes);
void Module4(std::int32_t passes);
void Module6(std::int32_t passes);
void Module7(std::int32_t passes);
void Module8(std::int32_t passes);
void Module9(std::int32_t passes);
void Module11(std::int32_t passes);

// The double 2.00010000500025 (1 / 0.499975 rounded to double), by its bit pattern.
double T2Value();

} // namespace whetstone

} // namespace qv::bench

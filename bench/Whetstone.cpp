#include "bench/Whetstone.h"

#include "bench/Rounding.h"

#include <bit>
#include <cmath>

namespace qv::bench {

namespace {

constexpr long double T = 0.499975L;
constexpr long double kReciprocalT1 = 1.0L / 0.50025L;
constexpr std::uint64_t kT2Bits = 0x400000346E71A4E3;
constexpr long double kThousandth = 0.001L;

// Passes per ITER of modules 1 … 11.
constexpr std::array<std::int32_t, kWhetstoneModules> kPassesPerIteration = {2,  10,  14,  345, 0, 95,
                                                                             32, 800, 616, 0,   93};

// One state per thread, so that the stability test can run the kernel on every processor at once.
thread_local WhetstoneState state;

// Array as parameter: six rounds of the module-1 formulas on E, the last line dividing by T2.
[[gnu::noinline]] void PA(std::array<double, 4>& E)
{
    for (int round = 0; round < 6; ++round) {
        E[0] = (E[0] + E[1] + E[2] - E[3]) * T;
        E[1] = (E[0] + E[1] - E[2] + E[3]) * T;
        E[2] = (E[0] - E[1] + E[2] + E[3]) * T;
        E[3] = (-E[0] + E[1] + E[2] + E[3]) / state.T2;
    }
}

// Procedure call with two value parameters and one reference parameter.
[[gnu::noinline]] void P3(double A, double B, double& Z)
{
    A = (Z + A) * T;
    B = (A + B) * T;
    Z = (A + B) * 0.5;
}

[[gnu::noinline]] void P0()
{
    state.e1(state.J) = state.e1(state.K);
    state.e1(state.K) = state.e1(state.L);
    state.e1(state.L) = state.e1(state.J);
}

} // namespace

namespace whetstone {

double T2Value()
{
    return std::bit_cast<double>(kT2Bits);
}

[[gnu::noinline]] void Module1(std::int32_t passes)
{
    WhetstoneState& s = state;
    s.X1 = 1;
    s.X2 = s.X3 = s.X4 = -1;
    for (std::int32_t i = 1; i <= passes; ++i) {
        s.X1 = (s.X1 + s.X2 + s.X3 - s.X4) * T;
        s.X2 = (s.X1 + s.X2 - s.X3 + s.X4) * T;
        s.X3 = (s.X1 - s.X2 + s.X3 + s.X4) * T;
        s.X4 = (-s.X1 + s.X2 + s.X3 + s.X4) * T;
    }
}

[[gnu::noinline]] void Module2(std::int32_t passes)
{
    auto& E = state.E1;
    E = {1, -1, -1, -1};
    for (std::int32_t i = 1; i <= passes; ++i) {
        E[0] = (E[0] + E[1] + E[2] - E[3]) * T;
        E[1] = (E[0] + E[1] - E[2] + E[3]) * T;
        E[2] = (E[0] - E[1] + E[2] + E[3]) * T;
        E[3] = (-E[0] + E[1] + E[2] + E[3]) * T;
    }
}

[[gnu::noinline]] void Module3(std::int32_t passes)
{
    for (std::int32_t i = 1; i <= passes; ++i)
        PA(state.E1);
}

[[gnu::noinline]] void Module4(std::int32_t passes)
{
    std::int32_t& J = state.J4;
    J = 1;
    for (std::int32_t i = 1; i <= passes; ++i) {
        J = J == 1 ? 2 : 3;
        J = J > 2 ? 0 : 1;
        J = J < 1 ? 1 : 0;
    }
}

[[gnu::noinline]] void Module6(std::int32_t passes)
{
    WhetstoneState& s = state;
    s.J = 1;
    s.K = 2;
    s.L = 3;
    for (std::int32_t i = 1; i <= passes; ++i) {
        // Each assignment keeps the low 8 bits, as the variables are 8-bit unsigned.
        s.J = static_cast<std::uint8_t>(s.J * (s.K - s.J) * (s.L - s.K));
        s.K = static_cast<std::uint8_t>(s.L * s.K - (s.L - s.J) * s.K);
        s.L = static_cast<std::uint8_t>((s.L - s.K) * (s.K + s.J));
        s.e1(s.L - 1) = static_cast<std::int32_t>(s.J + s.K + s.L);
        s.e1(s.K - 1) = static_cast<std::int32_t>(s.J * s.K * s.L);
    }
}

[[gnu::noinline]] void Module7(std::int32_t passes)
{
    WhetstoneState& s = state;
    s.X = s.Y = 0.5;
    for (std::int32_t i = 1; i <= passes; ++i) {
        s.X = T * std::atan(2.0 * std::sin(s.X) * std::cos(s.X) /
                            (std::cos(s.X + s.Y) + std::cos(s.X - s.Y) - 1.0));
        s.Y = T * std::atan(2.0 * std::sin(s.Y) * std::cos(s.Y) /
                            (std::cos(s.X + s.Y) + std::cos(s.X - s.Y) - 1.0));
    }
}

[[gnu::noinline]] void Module8(std::int32_t passes)
{
    WhetstoneState& s = state;
    s.X = s.Y = s.Z = 1;
    for (std::int32_t i = 1; i <= passes; ++i)
        P3(static_cast<double>(i) * s.Y, s.Y + s.Z, s.Z);
}

[[gnu::noinline]] void Module9(std::int32_t passes)
{
    WhetstoneState& s = state;
    s.J = 1;
    s.K = 2;
    s.L = 3;
    s.e1(1) = 1;
    s.e1(2) = 2;
    s.e1(3) = 3;
    for (std::int32_t i = 1; i <= passes; ++i)
        P0();
}

[[gnu::noinline]] void Module11(std::int32_t passes)
{
    WhetstoneState& s = state;
    s.X = 0.75;
    for (std::int32_t i = 1; i <= passes; ++i)
        s.X = std::sqrt(std::exp(static_cast<double>(std::log(s.X) * kReciprocalT1)));
}

} // namespace whetstone

WhetstoneState& whetstoneState()
{
    return state;
}

std::int32_t whetstoneIterations(double scale)
{
    return roundToInteger<std::int32_t>(scale * kOneThird + 1);
}

WhetstonePassCounts whetstonePassCounts(std::int32_t iter)
{
    WhetstonePassCounts passes{};
    for (std::size_t module = 0; module < passes.size(); ++module)
        passes[module] = static_cast<std::int32_t>(std::int64_t{kPassesPerIteration[module]} * iter);
    return passes;
}

double whetstoneRateFor(std::int32_t iter, double elapsedMs)
{
    if (elapsedMs == 0)
        return 0;
    const auto loops = static_cast<std::int32_t>(std::int64_t{100} * iter);
    return static_cast<double>(loops / (elapsedMs * kThousandth));
}

double WhetstoneRate(double scale, KernelClock& clock)
{
    using namespace whetstone;
    const std::int32_t iter = whetstoneIterations(scale);
    const WhetstonePassCounts passes = whetstonePassCounts(iter);
    state = WhetstoneState{};
    state.ITER = iter;

    const double start = clock.nowMs();
    Module1(passes[0]);
    Module2(passes[1]);
    state.T2 = T2Value();
    Module3(passes[2]);
    Module4(passes[3]);
    Module6(passes[5]);
    Module7(passes[6]);
    Module8(passes[7]);
    Module9(passes[8]);
    Module11(passes[10]);
    const double elapsed = clock.nowMs() - start;
    return whetstoneRateFor(iter, elapsed);
}

} // namespace qv::bench

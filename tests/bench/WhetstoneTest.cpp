#include "bench/Whetstone.h"

#include "tests/bench/ScriptedClock.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using namespace qv::bench;

TEST(Whetstone, PassCountsFollowTheScale)
{
    EXPECT_EQ(whetstoneIterations(100'000), 33'334);
    EXPECT_EQ(whetstoneIterations(0), 1);
    const WhetstonePassCounts expected = {66'668,    333'340,    466'676,    11'500'230, 0,        3'166'730,
                                          1'066'688, 26'667'200, 20'533'744, 0,          3'100'062};
    EXPECT_EQ(whetstonePassCounts(33'334), expected);
}

TEST(Whetstone, RateIsHundredLoopsPerSecond)
{
    EXPECT_NEAR(whetstoneRateFor(33'334, 6'352), 524'779.60, 0.005);
    EXPECT_EQ(whetstoneRateFor(33'334, 0), 0) << "no elapsed time gives 0, not a division by zero";
}

TEST(Whetstone, TimesTheModulesWithTheKernelClock)
{
    qv::test::ScriptedClock clock({500, 508});
    EXPECT_DOUBLE_EQ(WhetstoneRate(3, clock), 25'000.0) << "ITER 2: 200 loops in 8 ms";
    EXPECT_EQ(clock.reads(), 2u);
}

TEST(Whetstone, T2IsOneOverTRoundedToDouble)
{
    EXPECT_EQ(whetstone::T2Value(), static_cast<double>(1.0L / 0.499975L));
}

// The same modules written out plainly, in double arithmetic throughout, as an independent check of
// the kernel's values (which use extended-precision constants, hence the tolerance).
struct Reference {
    double X1 = 1, X2 = -1, X3 = -1, X4 = -1;
    std::array<double, 5> E1{}; // 1-based
    std::array<double, 5> E1AfterModule6{};
    int J4 = 1;
    double X7 = 0.5, Y7 = 0.5;
    double Z8 = 1;
    int J = 1, K = 2, L = 3;
    double X11 = 0.75;

    explicit Reference(int iter)
    {
        const double T = 0.499975;
        const double T2 = 1.0 / 0.499975;
        const double T1 = 0.50025;
        for (int i = 0; i < 2 * iter; ++i) {
            X1 = (X1 + X2 + X3 - X4) * T;
            X2 = (X1 + X2 - X3 + X4) * T;
            X3 = (X1 - X2 + X3 + X4) * T;
            X4 = (-X1 + X2 + X3 + X4) * T;
        }
        E1 = {0, 1, -1, -1, -1};
        for (int i = 0; i < 10 * iter; ++i) {
            E1[1] = (E1[1] + E1[2] + E1[3] - E1[4]) * T;
            E1[2] = (E1[1] + E1[2] - E1[3] + E1[4]) * T;
            E1[3] = (E1[1] - E1[2] + E1[3] + E1[4]) * T;
            E1[4] = (-E1[1] + E1[2] + E1[3] + E1[4]) * T;
        }
        for (int i = 0; i < 14 * iter * 6; ++i) {
            E1[1] = (E1[1] + E1[2] + E1[3] - E1[4]) * T;
            E1[2] = (E1[1] + E1[2] - E1[3] + E1[4]) * T;
            E1[3] = (E1[1] - E1[2] + E1[3] + E1[4]) * T;
            E1[4] = (-E1[1] + E1[2] + E1[3] + E1[4]) / T2;
        }
        for (int i = 0; i < 345 * iter; ++i) {
            J4 = J4 == 1 ? 2 : 3;
            J4 = J4 > 2 ? 0 : 1;
            J4 = J4 < 1 ? 1 : 0;
        }
        for (int i = 0; i < 95 * iter; ++i) {
            J = (J * (K - J) * (L - K)) & 0xFF;
            K = (L * K - (L - J) * K) & 0xFF;
            L = ((L - K) * (K + J)) & 0xFF;
            E1[L - 1] = J + K + L;
            E1[K - 1] = J * K * L;
        }
        E1AfterModule6 = E1;
        for (int i = 0; i < 32 * iter; ++i) {
            X7 = T * std::atan(2 * std::sin(X7) * std::cos(X7) / (std::cos(X7 + Y7) + std::cos(X7 - Y7) - 1));
            Y7 = T * std::atan(2 * std::sin(Y7) * std::cos(Y7) / (std::cos(X7 + Y7) + std::cos(X7 - Y7) - 1));
        }
        for (int i = 1; i <= 800 * iter; ++i) {
            const double A = (Z8 + i * 1.0) * T;
            const double B = (A + (1.0 + Z8)) * T;
            Z8 = (A + B) * 0.5;
        }
        J = 1, K = 2, L = 3;
        E1[1] = 1, E1[2] = 2, E1[3] = 3;
        for (int i = 0; i < 616 * iter; ++i) {
            E1[J] = E1[K];
            E1[K] = E1[L];
            E1[L] = E1[J];
        }
        for (int i = 0; i < 93 * iter; ++i)
            X11 = std::sqrt(std::exp(std::log(X11) / T1));
    }
};

void expectClose(double actual, double expected, const char* what)
{
    EXPECT_NEAR(actual, expected, 1e-12 + 1e-11 * std::fabs(expected)) << what;
}

TEST(Whetstone, FinalValuesMatchAPlainComputationOfTheModules)
{
    const int iter = 11; // scale 30
    qv::test::StoppedClock clock;
    WhetstoneRate(30, clock);
    const WhetstoneState& s = whetstoneState();
    const Reference expected(iter);

    ASSERT_EQ(s.ITER, iter);
    expectClose(s.X1, expected.X1, "X1 of module 1");
    expectClose(s.X2, expected.X2, "X2 of module 1");
    expectClose(s.X3, expected.X3, "X3 of module 1");
    expectClose(s.X4, expected.X4, "X4 of module 1");
    for (int i = 1; i <= 4; ++i)
        expectClose(s.E1[static_cast<std::size_t>(i - 1)], expected.E1[static_cast<std::size_t>(i)],
                    "E1 after modules 2, 3, 6 and 9");
    EXPECT_EQ(s.J4, expected.J4) << "J of module 4";
    EXPECT_EQ(s.J, expected.J);
    EXPECT_EQ(s.K, expected.K);
    EXPECT_EQ(s.L, expected.L);
    expectClose(s.Y, 1, "Y of module 8 is only read");
    expectClose(s.Z, expected.Z8, "Z of module 8");
    expectClose(s.X, expected.X11, "X of module 11");
}

TEST(Whetstone, ModulesOverwrittenLaterMatchWhenRunAlone)
{
    const int iter = 11;
    const Reference expected(iter);
    WhetstoneState& s = whetstoneState();

    s.E1 = {0, 0, 0, 0};
    whetstone::Module6(95 * iter);
    EXPECT_EQ(s.J, 1);
    EXPECT_EQ(s.K, 2);
    EXPECT_EQ(s.L, 3);
    EXPECT_EQ(s.E1[0], 6) << "module 6 stores 6 into E1[1] and E1[2] on every pass";
    EXPECT_EQ(s.E1[1], 6);
    EXPECT_EQ(s.E1[1], expected.E1AfterModule6[2]);

    whetstone::Module7(32 * iter);
    expectClose(s.X, expected.X7, "X of module 7");
    expectClose(s.Y, expected.Y7, "Y of module 7");
}

TEST(Whetstone, ConditionalJumpsAlternateWithThePassCount)
{
    WhetstoneState& s = whetstoneState();
    whetstone::Module4(1);
    EXPECT_EQ(s.J4, 0);
    whetstone::Module4(2);
    EXPECT_EQ(s.J4, 1);
    whetstone::Module4(345 * 33'334);
    EXPECT_EQ(s.J4, 1) << "an even pass count ends where it started";
}

} // namespace

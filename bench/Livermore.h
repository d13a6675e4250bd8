#pragma once

#include "bench/KernelClock.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace qv::bench {

inline constexpr int kLivermoreLoops = 14;

// The arrays and scalars of the fourteen loops, one set per thread. Accessors take the loops' 1-based
// indices; multi-dimensional arrays are row-major with the last index varying fastest.
// X, Y, Z and U lie one after another in one block; PX (15 × 100) is a view of Z[1 … 1000] followed
// by U[1 … 500], and P (4 × 512) a view of X, Y and Z[1 … 48]. The loops depend on that sharing.
class LivermoreData {
public:
    static constexpr std::size_t kVectorLength = 1000;

    double& X(int k) { return m_xyzu[at(k)]; }
    double& Y(int k) { return m_xyzu[kVectorLength + at(k)]; }
    double& Z(int k) { return m_xyzu[2 * kVectorLength + at(k)]; }
    double& U(int k) { return m_xyzu[3 * kVectorLength + at(k)]; }
    double& PX(int row, int column) { return m_xyzu[2 * kVectorLength + at(row, column, 100)]; }
    double& P(int row, int column) { return m_xyzu[at(row, column, 512)]; }
    double& CX(int row, int column) { return m_cx[at(row, column, 100)]; }

    double& U1(int a, int b, int c) { return m_u1[at3(a, b, c)]; }
    double& U2(int a, int b, int c) { return m_u2[at3(a, b, c)]; }
    double& U3(int a, int b, int c) { return m_u3[at3(a, b, c)]; }
    double& B(int i, int j) { return m_b[at(i, j, 8)]; }
    double& C(int i, int j) { return m_c[at(i, j, 8)]; }
    double& H(int i, int j) { return m_h[at(i, j, 8)]; }
    std::int32_t& E(int i) { return m_e[at(i)]; }
    std::int32_t& F(int i) { return m_f[at(i)]; }
    double& EX(int i) { return m_ex[at(i)]; }
    double& RH(int i) { return m_rh[at(i)]; }
    double& DEX(int i) { return m_dex[at(i)]; }
    double& VX(int i) { return m_vx[at(i)]; }
    double& XX(int i) { return m_xx[at(i)]; }

    // The state table's initial values.
    void initialise();

    double q = 0;
    double r = 0, t = 0;
    double a11 = 0, a12 = 0, a13 = 0, sig = 0, a21 = 0, a22 = 0, a23 = 0, a31 = 0, a32 = 0, a33 = 0;
    double w13 = 0, w12 = 0, w11 = 0, w10 = 0, w9 = 0, w8 = 0, w7 = 0, c0 = 0;
    double flx = 0;
    double du1 = 0, du2 = 0, du3 = 0, ar = 0, br = 0, cr = 0, rx = 0, xi = 0;
    std::int32_t i1 = 0, j1 = 0, i2 = 0, j2 = 0, ir = 0, ix = 0;
    std::uint16_t Reps = 0;

    // Per loop (index 1 … 14): measured milliseconds after the loop-13/14 corrections, and the rate.
    std::array<double, kLivermoreLoops + 1> ticks{};
    std::array<double, kLivermoreLoops + 1> rate{};
    double overhead = 0;

private:
    static std::size_t at(int index) { return static_cast<std::size_t>(index - 1); }
    static std::size_t at(int row, int column, int columns)
    {
        return static_cast<std::size_t>((row - 1) * columns + (column - 1));
    }
    static std::size_t at3(int a, int b, int c)
    {
        return static_cast<std::size_t>(((a - 1) * 5 + b - 1) * 2 + c - 1);
    }

    std::array<double, 4 * kVectorLength> m_xyzu{};
    std::array<double, std::size_t{15} * 100> m_cx{};
    std::array<double, std::size_t{22} * 5 * 2> m_u1{}, m_u2{}, m_u3{};
    std::array<double, std::size_t{64} * 8> m_b{}, m_c{}, m_h{};
    std::array<std::int32_t, 192> m_e{}, m_f{};
    std::array<double, 67> m_ex{}, m_rh{}, m_dex{};
    std::array<double, 150> m_vx{}, m_xx{};
};

// Flops per repetition of loops 1 … 14 (index 0 is loop 1).
inline constexpr std::array<std::int32_t, kLivermoreLoops> kLivermoreFlops = {
    2000, 2000, 2000, 1029, 1992, 1992, 1920, 1440, 1700, 900, 999, 999, 896, 1650};

// The kernel's state after the last call.
LivermoreData& livermoreState();

// Reps = round(scale × ⅓ + 1), kept in 16 bits.
std::uint16_t livermoreReps(double scale);

// MFLOPS of one loop: (Reps × flops) / time × 0.001; 0 when the time is 0.
double livermoreLoopRate(std::uint16_t reps, std::int32_t flopsPerRepetition, double timeMs);

// Runs the fourteen loops Reps times each and returns the mean of their fourteen MFLOPS figures.
double LivermoreMflops(double scale, KernelClock& clock = steadyKernelClock());

namespace livermore {

// One repetition of a loop (1 … 14) on the per-thread data; loops 13 and 14 include their refill.
void runLoop(int loop);
// The part of loops 13 and 14 that the correction subtracts: the filling of P, of VX and XX.
void fillP();
void fillVxXx();
// The filling of PX and CX between loops 8 and 9.
void fillPxCx();

} // namespace livermore

} // namespace qv::bench

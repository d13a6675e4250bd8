#include "bench/Livermore.h"

#include "bench/OptimisationBarrier.h"
#include "bench/Rounding.h"

#include <cstdlib>

namespace qv::bench {

namespace {

constexpr long double kTwoThirdsApprox = 0.6666L;
constexpr double kMega = 0.001; // operations per millisecond to millions per second

// One state per thread, so that the stability test can run the kernel on every processor at once.
thread_local LivermoreData data;

void loop1(LivermoreData& d)
{
    d.q = 0;
    for (int k = 1; k <= 400; ++k)
        d.X(k) = d.q + d.Y(k) * (d.r * d.Z(k + 10) + d.t * d.Z(k + 11));
}

void loop2(LivermoreData& d)
{
    d.q = 0;
    for (int k = 1; k <= 996; k += 5)
        d.q = d.q + d.Z(k) * d.X(k) + d.Z(k + 1) * d.X(k + 1) + d.Z(k + 2) * d.X(k + 2) +
              d.Z(k + 3) * d.X(k + 3) + d.Z(k + 4) * d.X(k + 4);
}

void loop3(LivermoreData& d)
{
    d.q = 0;
    for (int k = 1; k <= 1000; ++k)
        d.q = d.q + d.Z(k) * d.X(k);
}

void loop4(LivermoreData& d)
{
    for (int m = 7; m <= 107; m += 50) {
        int lw = m;
        for (int j = 30; j <= 870; j += 5) {
            d.X(m - 1) = d.X(m - 1) - d.X(lw) * d.Y(j);
            ++lw;
        }
        d.X(m - 1) = d.Y(5) * d.X(m - 1);
    }
}

void loop5(LivermoreData& d)
{
    for (int i = 2; i <= 995; i += 3) {
        d.X(i) = (d.Y(i) - d.X(i - 1)) * d.Z(i);
        d.X(i + 1) = (d.Y(i + 1) - d.X(i)) * d.Z(i + 1);
        d.X(i + 2) = (d.Y(i + 2) - d.X(i + 1)) * d.Z(i + 2);
    }
}

void loop6(LivermoreData& d)
{
    for (int m = 3; m <= 996; m += 3) {
        const int k = 1000 - m;
        d.X(k) = d.X(k) - d.Z(k) * d.X(k + 1);
        d.X(k - 1) = d.X(k - 1) - d.Z(k - 1) * d.X(k);
        d.X(k - 2) = d.X(k - 2) - d.Z(k - 2) * d.X(k - 1);
    }
    for (int i = 2; i <= 997; ++i)
        d.X(i) = d.X(i) * kTwoThirdsApprox;
}

void loop7(LivermoreData& d)
{
    const double r = d.r;
    const double t = d.t;
    for (int k = 1; k <= 120; ++k)
        d.X(k) = d.U(k) + r * (d.Z(k) + r * d.Y(k)) +
                 t * (d.U(k + 3) + r * (d.U(k + 2) + r * d.U(k + 1)) +
                      t * (d.U(k + 6) + r * (d.U(k + 5) + r * d.U(k + 4))));
}

void loop8(LivermoreData& d)
{
    for (int kx = 2; kx <= 3; ++kx)
        for (int ky = 2; ky <= 21; ++ky) {
            d.du1 = d.U1(ky + 1, kx, 1) - d.U1(ky - 1, kx, 1);
            d.du2 = d.U2(ky + 1, kx, 1) - d.U2(ky - 1, kx, 1);
            d.du3 = d.U3(ky + 1, kx, 1) - d.U3(ky - 1, kx, 1);
            d.U1(ky, kx, 2) = d.U1(ky, kx, 1) + d.a11 * d.du1 + d.a12 * d.du2 + d.a13 * d.du3 +
                              d.sig * (d.U1(ky, kx + 1, 1) - 2 * d.U1(ky, kx, 1) + d.U1(ky, kx - 1, 1));
            d.U2(ky, kx, 2) = d.U2(ky, kx, 1) + d.a21 * d.du1 + d.a22 * d.du2 + d.a23 * d.du3 +
                              d.sig * (d.U2(ky, kx + 1, 1) - 2 * d.U2(ky, kx, 1) + d.U2(ky, kx - 1, 1));
            d.U3(ky, kx, 2) = d.U3(ky, kx, 1) + d.a31 * d.du1 + d.a32 * d.du2 + d.a33 * d.du3 +
                              d.sig * (d.U3(ky, kx + 1, 1) - 2 * d.U3(ky, kx, 1) + d.U3(ky, kx - 1, 1));
        }
}

void loop9(LivermoreData& d)
{
    for (int i = 1; i <= 100; ++i)
        d.PX(1, i) = d.w13 * d.PX(13, i) + d.w12 * d.PX(12, i) + d.w11 * d.PX(11, i) + d.w10 * d.PX(10, i) +
                     d.w9 * d.PX(9, i) + d.w8 * d.PX(8, i) + d.w7 * d.PX(7, i) +
                     d.c0 * (d.PX(5, i) + d.PX(6, i)) + d.PX(3, i);
}

void loop10(LivermoreData& d)
{
    for (int i = 1; i <= 100; ++i) {
        d.ar = d.CX(5, i);
        d.br = d.ar - d.PX(5, i);
        d.PX(5, i) = d.ar;
        d.cr = d.br - d.PX(6, i);
        d.PX(6, i) = d.br;
        d.ar = d.cr - d.PX(7, i);
        d.PX(7, i) = d.cr;
        d.br = d.ar - d.PX(8, i);
        d.PX(8, i) = d.ar;
        d.cr = d.br - d.PX(9, i);
        d.PX(9, i) = d.br;
        d.ar = d.cr - d.PX(10, i);
        d.PX(10, i) = d.cr;
        d.br = d.ar - d.PX(11, i);
        d.PX(11, i) = d.ar;
        d.cr = d.br - d.PX(12, i);
        d.PX(12, i) = d.br;
        d.PX(14, i) = d.cr - d.PX(13, i);
        d.PX(13, i) = d.cr;
    }
}

void loop11(LivermoreData& d)
{
    d.X(1) = d.Y(1);
    for (int k = 2; k <= 1000; ++k)
        d.X(k) = d.X(k - 1) + d.Y(k);
}

void loop12(LivermoreData& d)
{
    for (int k = 1; k <= 999; ++k)
        d.X(k) = d.Y(k + 1) - d.Y(k);
}

void refillP(LivermoreData& d)
{
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 512; ++j)
            d.P(i, j) = 1.00025;
}

void loop13(LivermoreData& d)
{
    refillP(d);
    for (int ip = 1; ip <= 128; ++ip) {
        d.i1 = static_cast<std::int32_t>(d.P(1, ip));
        d.j1 = static_cast<std::int32_t>(d.P(2, ip));
        d.P(3, ip) = d.P(3, ip) + d.B(d.i1, d.j1);
        d.P(4, ip) = d.P(4, ip) + d.C(d.i1, d.j1);
        d.P(1, ip) = d.P(1, ip) + d.P(3, ip);
        d.P(2, ip) = d.P(2, ip) + d.P(4, ip);
        d.i2 = static_cast<std::int32_t>(d.P(1, ip));
        d.j2 = static_cast<std::int32_t>(d.P(2, ip));
        d.P(1, ip) = d.P(1, ip) + d.Y(d.i2 + 32);
        d.P(2, ip) = d.P(2, ip) + d.Z(d.j2 + 32);
        d.i2 = d.i2 + d.E(d.i2 + 32);
        d.j2 = d.j2 + d.F(d.j2 + 32);
        d.H(d.i2, d.j2) = d.H(d.i2, d.j2) + 1;
    }
}

void refillVxXx(LivermoreData& d)
{
    for (int i = 1; i <= 150; ++i) {
        d.VX(i) = 0.001;
        d.XX(i) = 0.001;
    }
}

void loop14(LivermoreData& d)
{
    refillVxXx(d);
    for (int k = 1; k <= 150; ++k) {
        d.ir = k / 8 + 3;
        d.xi = d.ir;
        d.VX(k) = d.VX(k) + d.EX(d.ir) + (d.XX(k) - d.xi) * d.DEX(d.ir);
        d.XX(k) = d.XX(k) + d.VX(k) + d.flx;
        d.ix = static_cast<std::int32_t>(d.XX(k));
        d.rx = d.XX(k) - d.ix;
        d.XX(k) = d.ix + d.rx;
        d.ix = std::abs(d.ix) & 63;
        d.RH(d.ix) = d.RH(d.ix) + 1 - d.rx;
        d.RH(d.ix + 1) = d.RH(d.ix + 1) + d.rx;
    }
}

using LoopBody = void (*)(LivermoreData&);
constexpr std::array<LoopBody, kLivermoreLoops> kLoops = {
    loop1, loop2, loop3, loop4, loop5, loop6, loop7, loop8, loop9, loop10, loop11, loop12, loop13, loop14};

// Repetitions of one body. The barrier after each keeps repetitions that compute the same values
// from being merged or dropped.
[[gnu::noinline]] void repeat(LoopBody body, std::uint16_t reps)
{
    for (unsigned rep = 0; rep < reps; ++rep) {
        body(data);
        clobberMemory();
    }
}

// Milliseconds that Reps repetitions of loop `loop` take, less the refilling for loops 13 and 14.
double timeLoop(int loop, KernelClock& clock)
{
    const double start = clock.nowMs();
    repeat(kLoops[static_cast<std::size_t>(loop - 1)], data.Reps);
    const double end = clock.nowMs();
    if (loop != 13 && loop != 14)
        return end - start;
    repeat(loop == 13 ? refillP : refillVxXx, data.Reps);
    const double endFill = clock.nowMs();
    return (end - start) - (endFill - end);
}

} // namespace

void LivermoreData::initialise()
{
    *this = LivermoreData{};
    for (int k = 1; k <= static_cast<int>(kVectorLength); ++k) {
        X(k) = 1.11;
        Y(k) = 1.123;
        Z(k) = 0.321;
        U(k) = 0.00025;
    }
    for (int a = 1; a <= 22; ++a)
        for (int b = 1; b <= 5; ++b)
            for (int c = 1; c <= 2; ++c) {
                U1(a, b, c) = b;
                U2(a, b, c) = 2 * b;
                U3(a, b, c) = 3 * b;
            }
    for (int i = 1; i <= 64; ++i)
        for (int j = 1; j <= 8; ++j)
            B(i, j) = C(i, j) = H(i, j) = 1.00025;
    for (int i = 1; i <= 192; ++i)
        E(i) = F(i) = 1;
    for (int i = 1; i <= 67; ++i)
        EX(i) = RH(i) = DEX(i) = i;
    for (int i = 1; i <= 150; ++i)
        VX(i) = XX(i) = 0.001;

    r = 4.86;
    t = 276.0;
    a11 = 0.5;
    a12 = 0.33;
    a13 = 0.25;
    sig = 0.8;
    a21 = 0.2;
    a22 = 0.167;
    a23 = 0.141;
    a31 = 0.125;
    a32 = 0.111;
    a33 = 0.1;
    w13 = 0.1;
    w12 = 0.2;
    w11 = 0.3;
    w10 = 0.4;
    w9 = 0.5;
    w8 = 0.6;
    w7 = 0.7;
    c0 = 0.8;
    flx = 4.689;
}

LivermoreData& livermoreState()
{
    return data;
}

std::uint16_t livermoreReps(double scale)
{
    // Only the low 16 bits of the rounded count are kept.
    return static_cast<std::uint16_t>(roundToInteger<std::int64_t>(scale * kOneThird + 1));
}

double livermoreLoopRate(std::uint16_t reps, std::int32_t flopsPerRepetition, double timeMs)
{
    if (timeMs == 0)
        return 0;
    const auto operations = static_cast<std::int32_t>(std::int64_t{reps} * flopsPerRepetition);
    return operations / timeMs * kMega;
}

double LivermoreMflops(double scale, KernelClock& clock)
{
    data.initialise();
    data.Reps = livermoreReps(scale);

    for (int loop = 1; loop <= kLivermoreLoops; ++loop) {
        data.ticks[static_cast<std::size_t>(loop)] = timeLoop(loop, clock);
        if (loop == 8)
            livermore::fillPxCx();
    }
    const double first = clock.nowMs();
    const double second = clock.nowMs();
    data.overhead = second - first;

    double sum = 0;
    for (int loop = 1; loop <= kLivermoreLoops; ++loop) {
        const auto k = static_cast<std::size_t>(loop);
        const double time = data.ticks[k] - data.overhead;
        data.rate[k] = livermoreLoopRate(data.Reps, kLivermoreFlops[k - 1], time);
        sum += data.rate[k];
    }
    return sum / kLivermoreLoops;
}

namespace livermore {

void runLoop(int loop)
{
    kLoops[static_cast<std::size_t>(loop - 1)](data);
}

void fillP()
{
    refillP(data);
}

void fillVxXx()
{
    refillVxXx(data);
}

void fillPxCx()
{
    for (int row = 1; row <= 15; ++row)
        for (int column = 1; column <= 100; ++column) {
            data.PX(row, column) = column;
            data.CX(row, column) = column;
        }
}

} // namespace livermore

} // namespace qv::bench

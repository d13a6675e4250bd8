#include "bench/Scoring.h"

#include "bench/Rounding.h"

namespace qv::bench {

namespace {

constexpr double kWhetstoneWeight = 80;
constexpr double kLivermoreWeight = 20;
constexpr long double kAluWeight = 0.8L;
constexpr long double kFpuWeight = 0.2L;

} // namespace

// Each sum is stored as a double before it is rounded.

std::int32_t ScoreAlu(double dhrystones)
{
    const double sum = dhrystones / kAluReference * 100;
    return roundToInteger<std::int32_t>(sum);
}

std::int32_t ScoreFpu(double whetstone, double mflops)
{
    const double sum =
        whetstone / kWhetstoneReference * kWhetstoneWeight + mflops / kLivermoreReference * kLivermoreWeight;
    return roundToInteger<std::int32_t>(sum);
}

std::int32_t ScoreGeneral(std::int32_t alu, std::int32_t fpu)
{
    const double sum =
        static_cast<double>(static_cast<double>(alu) * kAluWeight + static_cast<double>(fpu) * kFpuWeight);
    return roundToInteger<std::int32_t>(sum);
}

} // namespace qv::bench

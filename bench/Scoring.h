#pragma once

#include <cstdint>

namespace qv::bench {

// Rates that score 100 on the reference tables' scale.
inline constexpr double kAluReference = 1'287'785.78;
inline constexpr double kWhetstoneReference = 524'779.59;
inline constexpr double kLivermoreReference = 73.11;

// round(dhrystones / 1,287,785.78 × 100), halves to even.
std::int32_t ScoreAlu(double dhrystones);
// round(whetstone / 524,779.59 × 80 + mflops / 73.11 × 20), halves to even.
std::int32_t ScoreFpu(double whetstone, double mflops);
// round(alu × 0.8 + fpu × 0.2), halves to even.
std::int32_t ScoreGeneral(std::int32_t alu, std::int32_t fpu);

} // namespace qv::bench

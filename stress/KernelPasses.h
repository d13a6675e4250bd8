#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qv::stress {

// The program's benchmark kernels as the stability test runs them, in the order of a pass.
inline constexpr std::array<std::string_view, 4> kKernelNames = {"Dhrystone", "Whetstone", "Livermore",
                                                                 "Memory kernel"};

// Runs one kernel (an index into kKernelNames) once on this thread, at a scale that takes a few tens of
// milliseconds, and returns the state it leaves as 64-bit words. Everything that depends on time or on
// where memory lies (timings, rates, pointers) is left out, so equal work gives equal words.
std::vector<std::uint64_t> runKernel(std::size_t kernel);

} // namespace qv::stress

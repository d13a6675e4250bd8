#pragma once

#include <functional>

namespace qv::benchui {

// The three kernels of the CPU benchmark, each taking its scale and returning its rate. The run
// window calls them through this table so that window tests can put instant stand-ins in.
struct CpuKernels {
    std::function<double(double)> dhrystoneRate;
    std::function<double(double)> whetstoneRate;
    std::function<double(double)> livermoreMflops;

    // DhrystoneRate, WhetstoneRate and LivermoreMflops on the steady clock.
    static CpuKernels standard();
};

} // namespace qv::benchui

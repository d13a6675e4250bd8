#include "bench/ui/CpuKernels.h"

#include "bench/Dhrystone.h"
#include "bench/Livermore.h"
#include "bench/Whetstone.h"

namespace qv::benchui {

CpuKernels CpuKernels::standard()
{
    return {[](double scale) { return bench::DhrystoneRate(scale); },
            [](double scale) { return bench::WhetstoneRate(scale); },
            [](double scale) { return bench::LivermoreMflops(scale); }};
}

} // namespace qv::benchui

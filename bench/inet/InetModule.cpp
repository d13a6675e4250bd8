// The module a run of the Internet benchmark loads: the engine and with it Qt Network, which nothing else
// of the program or the tool loads.
#include "bench/inet/InetLoader.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) int
qvRunInetBenchmark(const qv::bench::inet::InetSettings& settings, const std::atomic<bool>& stop,
                   const qv::bench::inet::InetProgressSink& progress, qv::bench::inet::InetResult& result,
                   std::string& refusal)
{
    try {
        result = qv::bench::inet::runInetBenchmark(settings, stop, progress);
        return 0;
    } catch (const std::exception& error) {
        refusal = error.what();
        return 1;
    }
}

static_assert(std::is_same_v<decltype(qvRunInetBenchmark), qv::bench::inet::InetEntryPoint>);

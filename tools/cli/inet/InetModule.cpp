// The module `bench inet` loads: the Internet benchmark and with it Qt Network, which no other command of
// the tool loads. Nothing but plain values crosses its boundary; errors come back as text.
#include "bench/inet/InetBenchmark.h"
#include "tools/cli/NetSession.h"

#include <type_traits>

extern "C" __attribute__((visibility("default"))) int
qvRunInetBenchmark(const qv::bench::inet::InetSettings& settings, qv::bench::inet::InetResult& result,
                   std::string& refusal)
{
    try {
        const std::atomic<bool> stop = false;
        result = qv::bench::inet::runInetBenchmark(settings, stop);
        return 0;
    } catch (const std::exception& error) {
        refusal = error.what();
        return 1;
    }
}

static_assert(std::is_same_v<decltype(qvRunInetBenchmark), qv::cli::RunInetFunction>);

#include "tools/cli/NetSession.h"

#include "bench/inet/InetLoader.h"
#include "bench/net/Socket.h"
#include "tools/cli/Application.h"

#include <stdexcept>

namespace qv::cli {

DiskSession runNetSession(const bench::net::NetSettings& settings)
{
    const std::atomic<bool> stop = false;
    try {
        return netSession(settings, bench::net::runNetBenchmark(settings, stop));
    } catch (const bench::net::NetBenchError& error) {
        throw std::runtime_error(error.what());
    }
}

DiskSession runInetSession(const bench::inet::InetSettings& settings)
{
    const auto application = applicationIfNone<QCoreApplication>();
    const std::atomic<bool> stop = false;
    bench::inet::InetResult result;
    try {
        result = bench::inet::runLoadedInetBenchmark(settings, stop);
    } catch (const bench::inet::InetBenchError& error) {
        throw std::runtime_error(error.what());
    }
    if (result.error.startsWith(QLatin1String("TLS: ")))
        throw std::runtime_error(result.error.toStdString() + "; nothing was measured");
    return inetSession(settings, result);
}

} // namespace qv::cli

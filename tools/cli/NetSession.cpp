#include "tools/cli/NetSession.h"

#include "bench/net/Socket.h"
#include "platform/LoadableModule.h"
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
    static const platform::LoadableModule module(QV_CLI_INET_MODULE,
                                                 platform::LoadableModule::Binding::AtFirstCall);
    RunInetFunction* run = module.function<RunInetFunction>("qvRunInetBenchmark");
    if (!run)
        throw std::runtime_error("the Internet benchmark cannot be loaded: " + module.error());
    const auto application = applicationIfNone<QCoreApplication>();
    bench::inet::InetResult result;
    std::string refusal;
    if (run(settings, result, refusal) != 0)
        throw std::runtime_error(refusal);
    if (result.error.startsWith(QLatin1String("TLS: ")))
        throw std::runtime_error(result.error.toStdString() + "; nothing was measured");
    return inetSession(settings, result);
}

} // namespace qv::cli

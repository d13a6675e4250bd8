#include "tools/cli/NetSession.h"

#include "bench/net/Socket.h"
#include "platform/LoadableModule.h"
#include "tools/cli/Application.h"

#include <stdexcept>

namespace qv::cli {

namespace {

void markPartial(DiskSession& session, bool partial, const std::string& error)
{
    if (partial)
        session.setup["Partial"] = "yes";
    if (!error.empty())
        session.setup["Error"] = error;
}

} // namespace

DiskSession netSession(const bench::net::NetSettings& settings, const bench::net::NetResult& result)
{
    DiskSession session;
    session.figures = {{"DownloadMbps", result.downloadMbps.value_or(0)},
                       {"UploadMbps", result.uploadMbps.value_or(0)},
                       {"LatencyMedianMs", result.latency ? result.latency->medianMs : 0},
                       {"LatencyP95Ms", result.latency ? result.latency->p95Ms : 0},
                       {"DownloadBytes", double(result.downloadBytes)},
                       {"UploadBytes", double(result.uploadBytes)}};
    session.setup = {{"Host", settings.host},
                     {"Address", result.address},
                     {"Port", std::to_string(settings.port)},
                     {"Streams", std::to_string(settings.streams)},
                     {"Seconds", std::to_string(settings.duration.count() / 1000)}};
    markPartial(session, result.partial(), result.error);
    return session;
}

DiskSession inetSession(const bench::inet::InetSettings& settings, const bench::inet::InetResult& result)
{
    DiskSession session;
    session.figures = {{"FirstByteMs", result.firstByteMs.value_or(0)},
                       {"DownloadMbps", result.mbps.value_or(0)},
                       {"DownloadBytes", double(result.bytes)},
                       {"Redirects", double(result.redirects)}};
    session.setup = {{"Address", result.finalUrl.toStdString()},
                     {"Seconds", std::to_string(settings.duration.count() / 1000)},
                     {"WholeBody", result.wholeBody ? "yes" : "no"}};
    markPartial(session, result.partial(), result.error.toStdString());
    return session;
}

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

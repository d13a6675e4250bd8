#include "results/report/NetRun.h"

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

} // namespace qv::cli

#pragma once

#include "bench/net/NetProtocol.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace qv::bench::net {

struct NetSettings {
    std::string host;
    int port = kDefaultPort;
    int streams = 1;                           // 1 or 4 in the windows; up to kMaxStreams
    std::chrono::milliseconds duration{10000}; // per direction
    int roundTrips = 100;
    std::chrono::milliseconds peerTimeout = kPeerTimeout;
};

struct Latency {
    double medianMs = 0;
    double p95Ms = 0;
};

struct NetResult {
    std::string address; // the address that answered
    std::optional<double> downloadMbps;
    std::optional<double> uploadMbps;
    std::optional<Latency> latency;
    std::int64_t downloadBytes = 0; // counted by the receiver
    std::int64_t uploadBytes = 0;
    bool stopped = false;
    // Why the run ended early; the figures present are then partial.
    std::string error;
    bool partial() const { return stopped || !error.empty(); }
};

enum class NetPhase { Connecting, Download, Upload, Latency };
struct NetProgress {
    NetPhase phase = NetPhase::Connecting;
    double mbps = 0;     // so far in this phase
    double fraction = 0; // of the phase's time
};
using NetProgressSink = std::function<void(const NetProgress&)>;

// "Download: 94.1 Mbit/s".
std::string progressText(const NetProgress& progress);

// Measures against `quorvex-cli serve` on settings.host: download, upload, then round trips. Tries each
// address of the name in the resolver's order. Throws NetBenchError when nothing could be measured
// (unknown host, refused, busy, another protocol); a peer lost later ends the run with the figures
// measured so far and `error` set. Returns within a tenth of a second of `stop`.
NetResult runNetBenchmark(const NetSettings& settings, const std::atomic<bool>& stop,
                          const NetProgressSink& progress = {});

} // namespace qv::bench::net

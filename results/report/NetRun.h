#pragma once

#include "bench/inet/InetBenchmark.h"
#include "bench/net/NetBenchmark.h"
#include "results/report/DiskSession.h"

namespace qv::cli {

// The network and Internet benchmarks record a run as the disk benchmark does: figures in output order
// and how it was set up. A run cut short keeps what it measured, with "Partial" and "Error" in its setup.
// Only the Internet benchmark's plain result types are used here: its engine, and Qt Network with it,
// stays out of everything that records sessions.
DiskSession netSession(const bench::net::NetSettings& settings, const bench::net::NetResult& result);
DiskSession inetSession(const bench::inet::InetSettings& settings, const bench::inet::InetResult& result);

} // namespace qv::cli

#pragma once

#include "bench/inet/InetBenchmark.h"
#include "bench/net/NetBenchmark.h"
#include "results/report/DiskSession.h"

#include <functional>

namespace qv::cli {

// The network and Internet benchmarks record a run as the disk benchmark does: figures in output order
// and how it was set up. A run cut short keeps what it measured, with "Partial" and "Error" in its setup.
using NetRunner = std::function<DiskSession(const bench::net::NetSettings&)>;
using InetRunner = std::function<DiskSession(const bench::inet::InetSettings&)>;

DiskSession netSession(const bench::net::NetSettings& settings, const bench::net::NetResult& result);
DiskSession inetSession(const bench::inet::InetSettings& settings, const bench::inet::InetResult& result);

// Measure against `quorvex-cli serve` / the address; a run that measured nothing throws with the reason.
DiskSession runNetSession(const bench::net::NetSettings& settings);
// Loads the module that holds Qt Network, so that no other command loads it.
DiskSession runInetSession(const bench::inet::InetSettings& settings);

// The function the module exports: 0 and the result, or 1 and why nothing was measured.
using RunInetFunction = int(const bench::inet::InetSettings& settings, bench::inet::InetResult& result,
                            std::string& refusal);

} // namespace qv::cli

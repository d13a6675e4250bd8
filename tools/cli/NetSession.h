#pragma once

#include "results/report/NetRun.h"

#include <functional>

namespace qv::cli {

using NetRunner = std::function<DiskSession(const bench::net::NetSettings&)>;
using InetRunner = std::function<DiskSession(const bench::inet::InetSettings&)>;

// Measure against `quorvex-cli serve` / the address; a run that measured nothing throws with the reason.
DiskSession runNetSession(const bench::net::NetSettings& settings);
// Loads the module that holds Qt Network, so that no other command loads it.
DiskSession runInetSession(const bench::inet::InetSettings& settings);

} // namespace qv::cli

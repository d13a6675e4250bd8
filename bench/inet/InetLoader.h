#pragma once

#include "bench/inet/InetBenchmark.h"

#include <string>

namespace qv::bench::inet {

// Runs the Internet benchmark from its module, loaded at the first run, so that only a run of it loads the
// engine and Qt Network (the tool has no other use for Qt Network; the program gets it anyway through Qt
// Multimedia). Throws InetBenchError with the engine's refusal, or when the module cannot be loaded. Needs
// a QCoreApplication, as the engine does.
InetResult runLoadedInetBenchmark(const InetSettings& settings, const std::atomic<bool>& stop,
                                  const InetProgressSink& progress = {});

// The module's entry point: 0 and the result, or 1 and why nothing was measured. Only plain values and
// Qt Core types cross it; errors come back as text.
using InetEntryPoint = int(const InetSettings& settings, const std::atomic<bool>& stop,
                           const InetProgressSink& progress, InetResult& result, std::string& refusal);
inline constexpr const char* kInetEntryPoint = "qvRunInetBenchmark";

} // namespace qv::bench::inet

#include "bench/inet/InetLoader.h"

#include "platform/LoadableModule.h"

namespace qv::bench::inet {

InetResult runLoadedInetBenchmark(const InetSettings& settings, const std::atomic<bool>& stop,
                                  const InetProgressSink& progress)
{
    static const platform::LoadableModule module(QV_INET_MODULE,
                                                 platform::LoadableModule::Binding::AtFirstCall);
    auto* const run = module.function<InetEntryPoint>(kInetEntryPoint);
    if (run == nullptr)
        throw InetBenchError("The Internet benchmark cannot be loaded: " + module.error());
    InetResult result;
    std::string refusal;
    if (run(settings, stop, progress, result, refusal) != 0)
        throw InetBenchError(refusal);
    return result;
}

} // namespace qv::bench::inet

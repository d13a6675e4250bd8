#include "platform/SystemFacts.h"

#include "platform/LinuxSystemFacts.h"

#include <unistd.h>

#include <utility>

namespace qv::platform {

namespace {

// The codes the system-information call gives on each architecture; Linux on 32-bit x86 needs at least
// a Pentium, so 586 stands for all of them.
constexpr std::int32_t kProcessorType =
#if defined(__x86_64__)
    8664;
#elif defined(__i386__)
    586;
#else
    0;
#endif

SystemInfo systemAnswer()
{
    const long online = sysconf(_SC_NPROCESSORS_ONLN);
    return {online > 0 ? static_cast<std::int32_t>(online) : 1, kProcessorType};
}

SystemInfoProvider& provider()
{
    static SystemInfoProvider current;
    return current;
}

} // namespace

SystemInfo GetSystemInfo()
{
    return provider() ? provider()() : systemAnswer();
}

SystemInfoProvider setSystemInfoProvider(SystemInfoProvider replacement)
{
    return std::exchange(provider(), std::move(replacement));
}

QString normaliseRegistryKey(const QString& key)
{
    QString normal = key.toLower();
    while (normal.startsWith(QLatin1Char('\\')))
        normal.remove(0, 1);
    while (normal.endsWith(QLatin1Char('\\')))
        normal.chop(1);
    return normal;
}

namespace {

SystemFactsPointer& installedFacts()
{
    static SystemFactsPointer current;
    return current;
}

} // namespace

const SystemFacts& systemFacts()
{
    static const LinuxSystemFacts machine;
    const SystemFactsPointer& installed = installedFacts();
    return installed ? *installed : machine;
}

SystemFactsPointer setSystemFacts(SystemFactsPointer facts)
{
    return std::exchange(installedFacts(), std::move(facts));
}

} // namespace qv::platform

#pragma once

#include "platform/ScopedHook.h"

#include <cstdint>
#include <functional>

namespace qv::platform {

// The processor facts of the system-information call: how many processors the system runs and their
// type code (386, 486 or 586 on 32-bit x86, 8664 on x86-64, 0 on other architectures).
struct SystemInfo {
    std::int32_t dwNumberOfProcessors = 0;
    std::int32_t dwProcessorType = 0;
};

SystemInfo GetSystemInfo();

// Replaces where GetSystemInfo's answer comes from (tests script it); an empty function restores the
// system's own answer.
using SystemInfoProvider = std::function<SystemInfo()>;
SystemInfoProvider setSystemInfoProvider(SystemInfoProvider provider);
using ScopedSystemInfoProvider = ScopedHook<SystemInfoProvider, &setSystemInfoProvider>;

} // namespace qv::platform

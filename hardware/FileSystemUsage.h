#pragma once

#include "platform/ScopedHook.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv::hardware {

// How full a mounted file system is, in bytes.
struct FileSystemUsage {
    std::uint64_t total = 0;
    std::uint64_t free = 0;      // free for the administrator
    std::uint64_t available = 0; // free for everyone else
};

// Reads the usage of the file system mounted at a folder of the live machine (statvfs by default).
using UsageReader = std::function<std::optional<FileSystemUsage>(const std::string& mountPoint)>;

// Installs `reader` (an empty one returns to statvfs) and returns the one it replaces.
UsageReader installUsageReader(UsageReader reader);
using ScopedUsageReader = platform::ScopedHook<UsageReader, &installUsageReader>;

// True for file systems whose answer may never come: network and FUSE file systems.
bool usageMayHang(std::string_view fileSystemType);

// The usage of the file system of type `fileSystemType` mounted at `mountPoint` on the live machine. One
// that may hang is read on a worker and given up after 200 ms, so a dead server never freezes the caller.
std::optional<FileSystemUsage> liveUsage(const std::string& mountPoint, std::string_view fileSystemType);

// "total free available" as a machine tree keeps the fact, and back.
std::string usageFactText(const FileSystemUsage& usage);
std::optional<FileSystemUsage> parseUsageFact(std::string_view text);

} // namespace qv::hardware

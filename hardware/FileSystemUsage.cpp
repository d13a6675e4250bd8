#include "hardware/FileSystemUsage.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <utility>

namespace qv::hardware {

namespace {

constexpr std::chrono::milliseconds kHangBound{200};

std::optional<FileSystemUsage> statvfsUsage(const std::string& mountPoint)
{
    struct statvfs figures {};
    if (::statvfs(mountPoint.c_str(), &figures) != 0)
        return std::nullopt;
    const std::uint64_t unit = figures.f_frsize != 0 ? figures.f_frsize : figures.f_bsize;
    return FileSystemUsage{std::uint64_t(figures.f_blocks) * unit, std::uint64_t(figures.f_bfree) * unit,
                           std::uint64_t(figures.f_bavail) * unit};
}

UsageReader& installedReader()
{
    static UsageReader reader;
    return reader;
}

} // namespace

UsageReader installUsageReader(UsageReader reader)
{
    return std::exchange(installedReader(), std::move(reader));
}

bool usageMayHang(std::string_view type)
{
    static constexpr std::array<std::string_view, 12> kNetwork = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "ceph", "glusterfs", "afs", "davfs", "ncpfs", "lustre"};
    return type.starts_with("fuse") || std::ranges::find(kNetwork, type) != kNetwork.end();
}

std::optional<FileSystemUsage> liveUsage(const std::string& mountPoint, std::string_view fileSystemType)
{
    UsageReader reader = installedReader() ? installedReader() : UsageReader(statvfsUsage);
    if (!usageMayHang(fileSystemType))
        return reader(mountPoint);
    // The worker is left to finish on its own: a call stuck in the kernel cannot be cancelled.
    auto answer = std::make_shared<std::promise<std::optional<FileSystemUsage>>>();
    std::future<std::optional<FileSystemUsage>> future = answer->get_future();
    std::thread([answer, reader = std::move(reader), mountPoint] {
        answer->set_value(reader(mountPoint));
    }).detach();
    if (future.wait_for(kHangBound) != std::future_status::ready)
        return std::nullopt;
    return future.get();
}

std::string usageFactText(const FileSystemUsage& usage)
{
    return std::to_string(usage.total) + ' ' + std::to_string(usage.free) + ' ' +
           std::to_string(usage.available);
}

std::optional<FileSystemUsage> parseUsageFact(std::string_view text)
{
    std::array<std::uint64_t, 3> figures{};
    const char* position = text.data();
    const char* end = text.data() + text.size();
    for (std::size_t i = 0; i < figures.size(); ++i) {
        if (i > 0) {
            if (position == end || *position != ' ')
                return std::nullopt;
            ++position;
        }
        const auto [stop, error] = std::from_chars(position, end, figures[i]);
        if (error != std::errc())
            return std::nullopt;
        position = stop;
    }
    if (position != end)
        return std::nullopt;
    return FileSystemUsage{figures[0], figures[1], figures[2]};
}

} // namespace qv::hardware

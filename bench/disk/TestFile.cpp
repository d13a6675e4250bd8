#include "bench/disk/TestFile.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

namespace qv::bench::disk {

namespace {

// Buffers and offsets of direct I/O are multiples of the logical block size; 4 KiB covers every drive's.
constexpr std::size_t kAlignment = 4096;
constexpr std::size_t kPatternChunk = 4096;
constexpr std::size_t kFillBlock = std::size_t(kMiB);

std::string mib(std::int64_t bytes, bool roundUp)
{
    return std::to_string((bytes + (roundUp ? kMiB - 1 : 0)) / kMiB) + " MiB";
}

std::string systemError(const std::string& what, int error)
{
    return what + ": " + std::strerror(error);
}

std::uint64_t splitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31U);
}

// The pattern of one 4 KiB chunk, or of the part of it the buffer covers.
template<typename Visit>
void forEachPatternWord(std::size_t length, std::int64_t offset, std::uint64_t seed, Visit visit)
{
    for (std::size_t done = 0; done < length; done += kPatternChunk) {
        std::uint64_t state =
            seed ^ (std::uint64_t(offset + std::int64_t(done)) / kPatternChunk * 0xD1B54A32D192ED03ULL);
        const std::size_t end = std::min(length, done + kPatternChunk);
        for (std::size_t at = done; at < end; at += sizeof(std::uint64_t))
            visit(at, splitMix(state), std::min(sizeof(std::uint64_t), end - at));
    }
}

bool memoryBacked(int fd)
{
    struct statfs info {};
    return fstatfs(fd, &info) == 0 && (info.f_type == TMPFS_MAGIC || info.f_type == RAMFS_MAGIC);
}

int openNameless(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return fd;
    // No O_TMPFILE here: a new name, never an existing file, unlinked as soon as it is open.
    std::string name = folder + "/.quorvex-disk-XXXXXX";
    const int named = mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0)
        unlink(name.c_str());
    return named;
}

} // namespace

void checkFolder(const std::string& folder, std::int64_t fileSize)
{
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0)
        throw DiskBenchError("The folder '" + folder + "' does not exist.");
    if (!S_ISDIR(info.st_mode))
        throw DiskBenchError("'" + folder + "' is not a folder.");
    struct statvfs space {};
    if (statvfs(folder.c_str(), &space) != 0)
        throw DiskBenchError(systemError("Cannot examine '" + folder + "'", errno));
    if ((space.f_flag & ST_RDONLY) != 0 || access(folder.c_str(), W_OK) != 0)
        throw DiskBenchError("The folder '" + folder + "' is read-only.");
    const auto free = std::int64_t(space.f_bavail) * std::int64_t(space.f_frsize);
    const std::int64_t needed = fileSize + fileSize / 10;
    if (free < needed)
        throw DiskBenchError("Not enough free space in '" + folder + "': the test needs " +
                             mib(needed, true) + " (the file and 10 % more), " + mib(free, false) +
                             " are free.");
}

void fillPattern(std::uint8_t* buffer, std::size_t length, std::int64_t offset, std::uint64_t seed)
{
    forEachPatternWord(length, offset, seed, [buffer](std::size_t at, std::uint64_t word, std::size_t bytes) {
        std::memcpy(buffer + at, &word, bytes);
    });
}

std::int64_t patternMismatches(const std::uint8_t* buffer, std::size_t length, std::int64_t offset,
                               std::uint64_t seed)
{
    std::int64_t wrong = 0;
    forEachPatternWord(length, offset, seed, [&](std::size_t at, std::uint64_t word, std::size_t bytes) {
        std::uint8_t expected[sizeof word];
        std::memcpy(expected, &word, sizeof word);
        for (std::size_t i = 0; i < bytes; ++i)
            wrong += buffer[at + i] != expected[i] ? 1 : 0;
    });
    return wrong;
}

TestFile::TestFile(const std::string& folder, std::int64_t size)
    : m_folder(folder)
    , m_size(size)
{
    checkFolder(folder, size);
    m_fd = openNameless(folder);
    if (m_fd < 0)
        throw DiskBenchError(systemError("Cannot create the test file in '" + folder + "'", errno));
    if (memoryBacked(m_fd)) {
        m_cacheNote = "The folder is in memory (tmpfs): the figures show the page cache, not a drive.";
    } else if (fcntl(m_fd, F_SETFL, O_DIRECT) == 0) {
        m_direct = true;
    } else {
        m_cacheNote = "The file system refuses direct I/O: the figures show the page cache, not the drive.";
    }
    if (const int error = posix_fallocate(m_fd, 0, size); error == ENOSPC) {
        close(m_fd);
        m_fd = -1;
        throw DiskBenchError("Not enough free space in '" + folder + "' for the test file.");
    }
}

TestFile::~TestFile()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool TestFile::fill(std::uint64_t seed, const std::atomic<bool>& stop,
                    const std::function<void(double)>& progress)
{
    const AlignedBuffer buffer(kFillBlock);
    for (std::int64_t offset = 0; offset < m_size; offset += std::int64_t(kFillBlock)) {
        if (stop)
            return false;
        const std::size_t length =
            std::size_t(std::min<std::int64_t>(std::int64_t(kFillBlock), m_size - offset));
        fillPattern(buffer.data(), length, offset, seed);
        const ssize_t written = pwrite(m_fd, buffer.data(), length, offset);
        if (written < 0 && errno == ENOSPC)
            throwFull();
        if (written != ssize_t(length))
            throw DiskBenchError(systemError("Cannot write the test file", written < 0 ? errno : EIO));
        if (progress)
            progress(double(offset + std::int64_t(length)) / double(m_size));
    }
    if (fdatasync(m_fd) != 0)
        throw DiskBenchError(systemError("Cannot write the test file", errno));
    return true;
}

std::int64_t TestFile::freeBytes() const
{
    struct statvfs space {};
    if (fstatvfs(m_fd, &space) != 0)
        return -1;
    return std::int64_t(space.f_bavail) * std::int64_t(space.f_frsize);
}

void TestFile::checkFreeSpace() const
{
    const std::int64_t free = freeBytes();
    if (free >= 0 && free < m_size / 10)
        throwFull();
}

void TestFile::throwFull() const
{
    throw DiskBenchError("The file system of '" + m_folder +
                         "' filled up during the test; the test file has been removed.");
}

AlignedBuffer::AlignedBuffer(std::size_t size)
{
    void* memory = nullptr;
    if (posix_memalign(&memory, kAlignment, size) != 0)
        throw std::bad_alloc();
    m_data = static_cast<std::uint8_t*>(memory);
}

AlignedBuffer::~AlignedBuffer()
{
    std::free(m_data);
}

} // namespace qv::bench::disk

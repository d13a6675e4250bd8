#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace qv::bench::disk {

// A refusal or failure of the disk benchmark, in the words the user sees.
class DiskBenchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::int64_t kMiB = std::int64_t(1024) * 1024;

// Refuses a folder that is missing, not a folder (a file, a block device), read-only, or has less free
// space than the file needs plus 10 %.
void checkFolder(const std::string& folder, std::int64_t fileSize);

// Each 4 KiB of the file holds bytes that depend only on its offset and the seed: incompressible, and
// checkable when read back.
void fillPattern(std::uint8_t* buffer, std::size_t length, std::int64_t offset, std::uint64_t seed);
// The number of bytes that differ from the pattern.
std::int64_t patternMismatches(const std::uint8_t* buffer, std::size_t length, std::int64_t offset,
                               std::uint64_t seed);

// The benchmark's file: nameless (O_TMPFILE) where the file system allows it, otherwise created, opened
// and unlinked at once, so that nothing is left behind whatever happens. Direct I/O where the file system
// takes it; on a file system in memory (tmpfs, ramfs) or where direct I/O is refused, buffered, and
// cacheNote() says so.
class TestFile {
public:
    TestFile(const std::string& folder, std::int64_t size);
    ~TestFile();
    TestFile(const TestFile&) = delete;
    TestFile& operator=(const TestFile&) = delete;

    int fd() const { return m_fd; }
    std::int64_t size() const { return m_size; }
    bool direct() const { return m_direct; }
    const std::string& cacheNote() const { return m_cacheNote; }

    // Writes the whole file with the pattern of `seed`, reporting the fraction done. False when stopped.
    bool fill(std::uint64_t seed, const std::atomic<bool>& stop, const std::function<void(double)>& progress);

    // Free bytes left on the file system.
    std::int64_t freeBytes() const;
    // Throws the "file system full" error when the free space falls below a tenth of the file's size.
    void checkFreeSpace() const;
    [[noreturn]] void throwFull() const;

private:
    std::string m_folder;
    std::int64_t m_size;
    int m_fd = -1;
    bool m_direct = false;
    std::string m_cacheNote;
};

// Memory aligned for direct I/O, freed with the object.
class AlignedBuffer {
public:
    explicit AlignedBuffer(std::size_t size);
    ~AlignedBuffer();
    AlignedBuffer(const AlignedBuffer&) = delete;
    AlignedBuffer& operator=(const AlignedBuffer&) = delete;
    std::uint8_t* data() const { return m_data; }

private:
    std::uint8_t* m_data = nullptr;
};

} // namespace qv::bench::disk

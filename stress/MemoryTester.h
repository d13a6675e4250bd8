#pragma once

#include "bench/MemoryKernel.h"
#include "stress/StressError.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv::stress {

class FaultInjector;

// The machine's memory as the kernel counts it, in bytes.
struct MemoryGaugeReading {
    std::uint64_t total = 0;
    std::uint64_t available = 0;
};
using MemoryGauge = std::function<MemoryGaugeReading()>;

// MemTotal and MemAvailable of this machine's /proc/meminfo (zeros when it cannot be read).
MemoryGaugeReading liveMemoryGauge();

inline constexpr std::array<std::string_view, 5> kPatternNames = {
    "Walking ones", "Walking zeros", "Own address", "Moving inversions", "Random data"};

struct MemoryTesterSettings {
    std::uint64_t bytes = 0;                        // how much to test; grown chunk by chunk
    std::size_t chunkBytes = std::size_t{16} << 20; // one allocation
    bench::BlockAllocator* allocator = &bench::systemBlockAllocator();
    MemoryGauge gauge = liveMemoryGauge;
    FaultInjector* faults = nullptr;
};

// The bytes to test for a share of the available memory, never more than half of it.
std::uint64_t memoryShareBytes(const MemoryGaugeReading& reading, double share);

// Tests a block of memory with the classic patterns until stopped. It grows the block one chunk at a time,
// filling each, and stops growing before the machine's available memory would fall below a tenth of its
// total; the memory is never locked. Every pattern writes the whole block and reads it back; a word that
// differs is an error and the test goes on.
class MemoryTester {
public:
    MemoryTester(MemoryTesterSettings settings, ErrorLog& errors, std::function<bool()> stopRequested);
    ~MemoryTester();
    MemoryTester(const MemoryTester&) = delete;
    MemoryTester& operator=(const MemoryTester&) = delete;

    // Runs until a stop is requested; returns with every chunk released.
    void run();

    std::uint64_t passes() const { return m_passes.load(std::memory_order_relaxed); }
    std::uint64_t errors() const { return m_errors.load(std::memory_order_relaxed); }
    // The size the block grew to; it stays after the block is released.
    std::uint64_t bytesTested() const { return m_bytes.load(std::memory_order_relaxed); }
    // Why the block is smaller than asked, and the seed of each random pattern, as the user reads them.
    std::vector<std::string> notes() const;

private:
    void grow();
    bool runPattern(std::size_t pattern);
    void check(std::size_t pattern, std::uint64_t* word, std::uint64_t expected);
    void note(std::string text);
    void release();

    MemoryTesterSettings m_settings;
    ErrorLog& m_log;
    std::function<bool()> m_stopRequested;
    std::vector<std::span<std::uint64_t>> m_chunks;
    std::atomic<std::uint64_t> m_passes{0};
    std::atomic<std::uint64_t> m_errors{0};
    std::atomic<std::uint64_t> m_bytes{0};
    mutable std::mutex m_notesMutex;
    std::vector<std::string> m_notes;
};

} // namespace qv::stress

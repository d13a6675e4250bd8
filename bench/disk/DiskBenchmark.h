#pragma once

#include "bench/disk/IoQueue.h"
#include "bench/disk/TestFile.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::bench::disk {

// One of the four tests; each is run reading, then writing.
struct DiskPattern {
    std::string_view label; // "Sequential 1 MiB, queue 8"
    std::string_view key;   // "Seq1MQ8", the start of the figures' names
    bool random = false;
    std::size_t blockSize = 0;
    int depth = 0;
};
const std::array<DiskPattern, 4>& diskPatterns();

inline constexpr std::int64_t kDefaultFileSize = std::int64_t(1024) * 1024 * 1024;
inline constexpr std::int64_t kMinFileSizeMiB = 64;
inline constexpr std::int64_t kMaxFileSizeMiB = std::int64_t(16) * 1024;

struct DiskSettings {
    std::string folder;
    std::int64_t fileSize = kDefaultFileSize; // rounded down to whole MiB
    std::chrono::milliseconds duration{5000}; // measured, per test and direction
    std::chrono::milliseconds warmUp{1000};   // run before, not measured
    // Every write carries its offset's pattern and every read is checked against it.
    bool verify = false;
};

// The program's data folder, $XDG_DATA_HOME/quorvex (~/.local/share/quorvex), created if missing.
std::string defaultDiskFolder();

struct Measurement {
    double megabytesPerSecond = 0; // 10^6 bytes
    double iops = 0;
    double meanLatencyUs = 0;
    double p99LatencyUs = 0;
};

struct DiskTestResult {
    DiskPattern pattern;
    std::optional<Measurement> read;
    std::optional<Measurement> write;
};

struct DiskResult {
    IoMethod method = IoMethod::IoUring;
    bool direct = false;
    std::string cacheNote; // why the figures show the page cache; empty with direct I/O on a drive
    std::vector<DiskTestResult> tests;
    bool stopped = false;
    std::int64_t verifiedBytes = 0;
    std::int64_t mismatchedBytes = 0;
    int deepestQueue = 0; // the most requests the queue could hold at once, over every test
};

enum class DiskPhase { Filling, Reading, Writing };

struct DiskProgress {
    DiskPhase phase = DiskPhase::Filling;
    const DiskPattern* pattern = nullptr; // null while filling
    double fraction = 0;                  // of the phase
};
using DiskProgressSink = std::function<void(const DiskProgress&)>;

// "Filling the test file: 40 %", "Random 4 KiB, queue 32: writing".
std::string progressText(const DiskProgress& progress);

// Creates the test file, fills it and runs the four tests. Stops measuring within a tenth of a second of
// `stop` and returns, stopped, once the requests in flight have drained; the file is gone when it
// returns. Throws DiskBenchError.
DiskResult runDiskBenchmark(const DiskSettings& settings, const std::atomic<bool>& stop,
                            const DiskProgressSink& progress = {});

} // namespace qv::bench::disk

#pragma once

#include "bench/MemoryKernel.h"
#include "stress/MemoryTester.h"
#include "stress/StressError.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace qv::stress {

class FaultInjector;

// What to load and for how long.
struct StressPlan {
    std::chrono::milliseconds duration{0}; // zero: until stopped
    std::optional<int> processors;         // workers; empty: one per online processor
    bool memory = true;                    // run the memory tester
    std::optional<std::uint64_t> memoryBytes;
    double memoryShare = 0.25; // of MemAvailable when memoryBytes is empty (at most half)
    std::size_t memoryChunkBytes = std::size_t{16} << 20;
    bench::BlockAllocator* allocator = &bench::systemBlockAllocator();
    MemoryGauge gauge = liveMemoryGauge;
    std::shared_ptr<FaultInjector> faults;
};

struct WorkerCounters {
    int processor = -1; // the processor it is pinned to; -1 when not pinned
    std::uint64_t passes = 0;
    std::uint64_t errors = 0;
    bool outOfMemory = false; // the memory kernel's blocks could not be had: the worker ended
};

// The counters at one moment, for the window and the tool to show.
struct StressSnapshot {
    std::chrono::milliseconds elapsed{0};
    bool running = false;
    std::vector<WorkerCounters> workers;
    bool memoryTested = false;
    std::uint64_t memoryBytes = 0;
    std::uint64_t memoryPasses = 0;
    std::uint64_t memoryErrors = 0;
    std::vector<std::string> memoryNotes;
    std::uint64_t errors = 0;
    std::vector<StressError> firstErrors;
    std::string stopReason; // empty, or why the test was stopped before its time
};

// The processors this process may run on, in order (sched_getaffinity).
std::vector<int> usableProcessors();

// The stability test: one worker per processor runs the benchmark kernels in a loop, checking every
// pass's final state against the state of a first reference pass; the memory tester runs beside them.
// Workers only touch atomic counters and the error log; callers sample them with snapshot().
class StressTest {
public:
    StressTest() = default;
    ~StressTest();
    StressTest(const StressTest&) = delete;
    StressTest& operator=(const StressTest&) = delete;

    // Starts the workers; a test that is running is stopped first.
    void start(StressPlan plan);
    // Ends every worker and frees the tested memory before it returns; `reason` (if any) is kept for
    // the snapshot. Each worker sees the request between two kernels or within a megabyte of memory.
    void stop(std::string reason = {});
    // True once every worker has ended by itself (its time is up), or after stop().
    bool finished() const;
    // Waits until the workers end by themselves.
    void wait();

    StressSnapshot snapshot() const;

private:
    struct Worker {
        int processor = -1;
        std::atomic<std::uint64_t> passes{0};
        std::atomic<std::uint64_t> errors{0};
        std::atomic<bool> outOfMemory{false};
        std::thread thread;
    };

    void runWorker(Worker& worker, int index);
    bool timeIsUp() const;
    void workerEnded();
    void join();

    StressPlan m_plan;
    std::chrono::steady_clock::time_point m_started;
    std::atomic<std::int64_t> m_elapsedAtEndMs{-1};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_running{0};
    std::unique_ptr<ErrorLog> m_log;
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::unique_ptr<MemoryTester> m_memory;
    std::thread m_memoryThread;
    std::string m_stopReason;
};

} // namespace qv::stress

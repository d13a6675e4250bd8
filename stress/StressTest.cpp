#include "stress/StressTest.h"

#include "stress/FaultInjector.h"
#include "stress/KernelPasses.h"

#include <pthread.h>
#include <sched.h>

#include <array>
#include <new>

namespace qv::stress {

namespace {

using Clock = std::chrono::steady_clock;

// Called by the worker itself: a thread that has already ended could not be named from outside.
void pinThisThread(int processor)
{
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(processor, &set);
    // Not being pinned only lets the scheduler move the worker; the test stays valid.
    static_cast<void>(pthread_setaffinity_np(pthread_self(), sizeof set, &set));
}

} // namespace

std::vector<int> usableProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    std::vector<int> processors;
    if (sched_getaffinity(0, sizeof set, &set) != 0)
        return processors;
    for (int n = 0; n < CPU_SETSIZE; ++n)
        if (CPU_ISSET(n, &set))
            processors.push_back(n);
    return processors;
}

StressTest::~StressTest()
{
    stop();
}

void StressTest::start(StressPlan plan)
{
    stop();
    m_plan = std::move(plan);
    m_stop = false;
    m_stopReason.clear();
    m_elapsedAtEndMs = -1;
    m_log = std::make_unique<ErrorLog>();
    m_workers.clear();
    m_memory.reset();
    m_started = Clock::now();

    const std::vector<int> processors = usableProcessors();
    const int count = m_plan.processors.value_or(static_cast<int>(processors.size()));
    for (int index = 0; index < count; ++index) {
        auto worker = std::make_unique<Worker>();
        if (static_cast<std::size_t>(index) < processors.size() &&
            count <= static_cast<int>(processors.size()))
            worker->processor = processors[static_cast<std::size_t>(index)];
        m_workers.push_back(std::move(worker));
    }
    m_running = count + (m_plan.memory ? 1 : 0);
    if (m_running == 0)
        m_elapsedAtEndMs = 0;
    for (int index = 0; index < count; ++index) {
        Worker& worker = *m_workers[static_cast<std::size_t>(index)];
        worker.thread = std::thread([this, &worker, index] { runWorker(worker, index); });
    }
    if (m_plan.memory) {
        MemoryTesterSettings settings;
        settings.bytes = m_plan.memoryBytes.value_or(memoryShareBytes(m_plan.gauge(), m_plan.memoryShare));
        settings.chunkBytes = m_plan.memoryChunkBytes;
        settings.allocator = m_plan.allocator;
        settings.gauge = m_plan.gauge;
        settings.faults = m_plan.faults.get();
        m_memory = std::make_unique<MemoryTester>(std::move(settings), *m_log, [this] { return timeIsUp(); });
        m_memoryThread = std::thread([this] {
            m_memory->run();
            workerEnded();
        });
    }
}

bool StressTest::timeIsUp() const
{
    return m_stop.load(std::memory_order_relaxed) ||
           (m_plan.duration.count() > 0 && Clock::now() - m_started >= m_plan.duration);
}

void StressTest::runWorker(Worker& worker, int index)
{
    if (worker.processor >= 0)
        pinThisThread(worker.processor);
    // A kernel's result is checked as soon as it ends; a pass counts once all its kernels have ended.
    try {
        std::array<std::vector<std::uint64_t>, kKernelNames.size()> reference;
        for (std::size_t kernel = 0; kernel < kKernelNames.size() && !timeIsUp(); ++kernel)
            reference[kernel] = runKernel(kernel);
        while (!timeIsUp()) {
            std::size_t kernel = 0;
            for (; kernel < kKernelNames.size() && !timeIsUp(); ++kernel) {
                std::vector<std::uint64_t> state = runKernel(kernel);
                if (m_plan.faults)
                    m_plan.faults->kernelPass(index, kKernelNames[kernel], state);
                const std::vector<std::uint64_t>& expected = reference[kernel];
                for (std::size_t word = 0; word < std::max(state.size(), expected.size()); ++word) {
                    const std::uint64_t want = word < expected.size() ? expected[word] : 0;
                    const std::uint64_t got = word < state.size() ? state[word] : 0;
                    if (want == got)
                        continue;
                    worker.errors.fetch_add(1, std::memory_order_relaxed);
                    m_log->add(
                        {index, std::string(kKernelNames[kernel]), word * sizeof(std::uint64_t), want, got});
                }
            }
            if (kernel == kKernelNames.size())
                worker.passes.fetch_add(1, std::memory_order_relaxed);
        }
    } catch (const bench::OutOfMemory&) {
        // This worker ends; the others go on.
        worker.outOfMemory = true;
    } catch (const std::bad_alloc&) {
        worker.outOfMemory = true;
    }
    workerEnded();
}

void StressTest::workerEnded()
{
    if (--m_running == 0)
        m_elapsedAtEndMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_started).count();
}

void StressTest::stop(std::string reason)
{
    if (m_stopReason.empty() && !reason.empty() && !finished())
        m_stopReason = std::move(reason);
    m_stop = true;
    join();
}

void StressTest::join()
{
    for (auto& worker : m_workers)
        if (worker->thread.joinable())
            worker->thread.join();
    if (m_memoryThread.joinable())
        m_memoryThread.join();
}

void StressTest::wait()
{
    join();
}

bool StressTest::finished() const
{
    return m_running.load() == 0;
}

StressSnapshot StressTest::snapshot() const
{
    StressSnapshot snapshot;
    const std::int64_t endMs = m_elapsedAtEndMs.load();
    snapshot.running = !finished();
    snapshot.elapsed = endMs >= 0
                           ? std::chrono::milliseconds(endMs)
                           : std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_started);
    for (const auto& worker : m_workers)
        snapshot.workers.push_back(
            {worker->processor, worker->passes.load(), worker->errors.load(), worker->outOfMemory.load()});
    if (m_memory) {
        snapshot.memoryTested = true;
        snapshot.memoryBytes = m_memory->bytesTested();
        snapshot.memoryPasses = m_memory->passes();
        snapshot.memoryErrors = m_memory->errors();
        snapshot.memoryNotes = m_memory->notes();
    }
    if (m_log) {
        snapshot.errors = m_log->count();
        snapshot.firstErrors = m_log->first();
    }
    snapshot.stopReason = m_stopReason;
    return snapshot;
}

} // namespace qv::stress

#include "bench/disk/DiskBenchmark.h"

#include "bench/disk/TestFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

namespace qv::bench::disk {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr std::array<DiskPattern, 4> kPatterns{{
    {"Sequential 1 MiB, queue 8", "Seq1MQ8", false, std::size_t(kMiB), 8},
    {"Sequential 1 MiB, queue 1", "Seq1MQ1", false, std::size_t(kMiB), 1},
    {"Random 4 KiB, queue 32", "Rnd4KQ32", true, 4096, 32},
    {"Random 4 KiB, queue 1", "Rnd4KQ1", true, 4096, 1},
}};

// How long a wait for completions lasts before the stop flag and the progress are looked at again.
constexpr auto kPoll = 50ms;
constexpr auto kFreeSpaceInterval = 250ms;

double microseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::micro>(duration).count();
}

// One direction of one test: keeps the queue full for the warm-up and the measured time, counting only
// requests issued after the warm-up.
class PatternRun {
public:
    PatternRun(TestFile& file, const DiskPattern& pattern, bool write, const DiskSettings& settings,
               std::uint64_t seed)
        : m_file(file)
        , m_pattern(pattern)
        , m_write(write)
        , m_settings(settings)
        , m_seed(seed)
        , m_blocks(file.size() / std::int64_t(pattern.blockSize))
        , m_buffers(pattern.blockSize * std::size_t(pattern.depth))
        , m_issued(std::size_t(pattern.depth))
        , m_random(seed ^ std::hash<std::string_view>()(pattern.key) ^ (write ? 1U : 0U))
    {
        for (int slot = 0; slot < pattern.depth; ++slot)
            fillPattern(buffer(slot), pattern.blockSize, 0, m_random());
    }

    // The measurement, or nothing when stopped.
    std::optional<Measurement> run(IoQueue& queue, DiskResult& result, const std::atomic<bool>& stop,
                                   const std::function<void(double)>& progress)
    {
        const Clock::time_point start = Clock::now();
        m_measureFrom = start + m_settings.warmUp;
        m_end = m_measureFrom + m_settings.duration;
        for (int slot = 0; slot < m_pattern.depth; ++slot)
            issue(queue, slot, start);
        int inFlight = m_pattern.depth;
        Clock::time_point lastSpaceCheck = start;
        Clock::time_point lastCompletion = m_measureFrom;
        while (inFlight > 0) {
            const std::vector<IoCompletion> done = queue.reap(kPoll);
            const Clock::time_point now = Clock::now();
            if (stop)
                return std::nullopt;
            for (const IoCompletion& completion : done) {
                complete(completion, result, now);
                lastCompletion = std::max(lastCompletion, now);
                if (now < m_end)
                    issue(queue, completion.slot, now);
                else
                    --inFlight;
            }
            if (m_write && now - lastSpaceCheck >= kFreeSpaceInterval) {
                m_file.checkFreeSpace();
                lastSpaceCheck = now;
            }
            if (progress)
                progress(std::clamp(microseconds(now - start) / microseconds(m_end - start), 0.0, 1.0));
        }
        return measurement(lastCompletion - m_measureFrom);
    }

private:
    std::uint8_t* buffer(int slot) const
    {
        return m_buffers.data() + std::size_t(slot) * m_pattern.blockSize;
    }

    std::int64_t nextOffset()
    {
        std::int64_t block = 0;
        if (m_pattern.random) {
            block = std::int64_t(m_random() % std::uint64_t(m_blocks));
        } else {
            block = m_nextBlock;
            m_nextBlock = (m_nextBlock + 1) % m_blocks;
        }
        return block * std::int64_t(m_pattern.blockSize);
    }

    void issue(IoQueue& queue, int slot, Clock::time_point now)
    {
        Issued& issued = m_issued[std::size_t(slot)];
        issued.offset = nextOffset();
        issued.at = now;
        // Verifying writes carry the pattern of their place, so that every later read can be checked.
        if (m_write && m_settings.verify)
            fillPattern(buffer(slot), m_pattern.blockSize, issued.offset, m_seed);
        queue.submit({m_write, buffer(slot), m_pattern.blockSize, off_t(issued.offset), slot});
    }

    void complete(const IoCompletion& completion, DiskResult& result, Clock::time_point now)
    {
        const Issued& issued = m_issued[std::size_t(completion.slot)];
        if (completion.result == -ENOSPC)
            m_file.throwFull();
        if (completion.result < 0)
            throw DiskBenchError(std::string("The test file cannot be ") + (m_write ? "written" : "read") +
                                 ": " + std::strerror(int(-completion.result)));
        if (completion.result != long(m_pattern.blockSize))
            throw DiskBenchError("The test file returned a short transfer.");
        if (!m_write && m_settings.verify) {
            result.verifiedBytes += completion.result;
            result.mismatchedBytes +=
                patternMismatches(buffer(completion.slot), m_pattern.blockSize, issued.offset, m_seed);
        }
        if (issued.at >= m_measureFrom && now >= m_measureFrom) {
            m_latenciesUs.push_back(float(microseconds(now - issued.at)));
            m_bytes += completion.result;
        }
    }

    Measurement measurement(Clock::duration measured)
    {
        Measurement figures;
        const double seconds = std::max(microseconds(measured), 1.0) / 1e6;
        figures.megabytesPerSecond = double(m_bytes) / 1e6 / seconds;
        figures.iops = double(m_latenciesUs.size()) / seconds;
        if (!m_latenciesUs.empty()) {
            double sum = 0;
            for (const float latency : m_latenciesUs)
                sum += latency;
            figures.meanLatencyUs = sum / double(m_latenciesUs.size());
            const auto rank = std::size_t(std::ceil(0.99 * double(m_latenciesUs.size()))) - 1;
            std::nth_element(m_latenciesUs.begin(), m_latenciesUs.begin() + std::ptrdiff_t(rank),
                             m_latenciesUs.end());
            figures.p99LatencyUs = m_latenciesUs[rank];
        }
        return figures;
    }

    struct Issued {
        std::int64_t offset = 0;
        Clock::time_point at;
    };

    TestFile& m_file;
    const DiskPattern& m_pattern;
    bool m_write;
    const DiskSettings& m_settings;
    std::uint64_t m_seed;
    std::int64_t m_blocks;
    std::int64_t m_nextBlock = 0;
    AlignedBuffer m_buffers;
    std::vector<Issued> m_issued;
    std::mt19937_64 m_random;
    Clock::time_point m_measureFrom;
    Clock::time_point m_end;
    std::vector<float> m_latenciesUs;
    std::int64_t m_bytes = 0;
};

} // namespace

const std::array<DiskPattern, 4>& diskPatterns()
{
    return kPatterns;
}

std::string defaultDiskFolder()
{
    namespace fs = std::filesystem;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    fs::path base;
    if (dataHome != nullptr && *dataHome == '/')
        base = dataHome;
    else
        base = fs::path(home != nullptr ? home : "/") / ".local/share";
    const fs::path folder = base / "quorvex";
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    return folder.string();
}

std::string progressText(const DiskProgress& progress)
{
    const std::string percent = std::to_string(int(progress.fraction * 100)) + " %";
    if (progress.pattern == nullptr)
        return "Filling the test file: " + percent;
    return std::string(progress.pattern->label) +
           (progress.phase == DiskPhase::Reading ? ": reading " : ": writing ") + percent;
}

DiskResult runDiskBenchmark(const DiskSettings& settings, const std::atomic<bool>& stop,
                            const DiskProgressSink& progress)
{
    const std::int64_t size = settings.fileSize / kMiB * kMiB;
    if (size < kMiB)
        throw DiskBenchError("The test file must hold at least 1 MiB.");
    TestFile file(settings.folder, size);
    DiskResult result;
    result.direct = file.direct();
    result.cacheNote = file.cacheNote();
    const std::uint64_t seed = std::random_device()() | (std::uint64_t(std::random_device()()) << 32U);
    const auto report = [&](DiskPhase phase, const DiskPattern* pattern) {
        return [&progress, phase, pattern](double fraction) {
            if (progress)
                progress({phase, pattern, fraction});
        };
    };
    if (!file.fill(seed, stop, report(DiskPhase::Filling, nullptr))) {
        result.stopped = true;
        return result;
    }
    for (const DiskPattern& pattern : kPatterns) {
        DiskTestResult test{pattern, std::nullopt, std::nullopt};
        for (const bool write : {false, true}) {
            // The buffers outlive the queue, whose end waits for the requests in flight.
            PatternRun run(file, pattern, write, settings, seed);
            const std::unique_ptr<IoQueue> queue = openIoQueue(file.fd(), pattern.depth);
            result.method = queue->method();
            result.deepestQueue = std::max(result.deepestQueue, queue->depth());
            std::optional<Measurement> measured = run.run(
                *queue, result, stop, report(write ? DiskPhase::Writing : DiskPhase::Reading, &pattern));
            if (!measured) {
                result.stopped = true;
                result.tests.push_back(test);
                return result;
            }
            (write ? test.write : test.read) = measured;
        }
        result.tests.push_back(test);
    }
    return result;
}

} // namespace qv::bench::disk

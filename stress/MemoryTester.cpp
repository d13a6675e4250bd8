#include "stress/MemoryTester.h"

#include "bench/OptimisationBarrier.h"
#include "hardware/MemoryCollector.h"
#include "hardware/tree/MachineTree.h"
#include "stress/FaultInjector.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

namespace qv::stress {

namespace {

constexpr std::size_t kWordsBetweenStopChecks = std::size_t{1} << 17; // 1 MiB
constexpr std::uint64_t kInversionPattern = 0x5555'5555'5555'5555;
constexpr std::size_t kKeptSeeds = 10;

std::uint64_t splitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E37'79B9'7F4A'7C15);
    z = (z ^ (z >> 30)) * 0xBF58'476D'1CE4'E5B9;
    z = (z ^ (z >> 27)) * 0x94D0'49BB'1331'11EB;
    return z ^ (z >> 31);
}

std::string mebibytes(std::uint64_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

std::string hex(std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llx", static_cast<unsigned long long>(value));
    return text;
}

} // namespace

MemoryGaugeReading liveMemoryGauge()
{
    static const hardware::FolderTree live("/");
    const auto text = live.read("/proc/meminfo", 16384);
    if (!text)
        return {};
    const hardware::MemoryTotals totals = hardware::parseMeminfo(*text);
    return {totals.total.value_or(0), totals.available.value_or(0)};
}

std::uint64_t memoryShareBytes(const MemoryGaugeReading& reading, double share)
{
    const double clamped = std::clamp(share, 0.0, 0.5);
    return static_cast<std::uint64_t>(static_cast<double>(reading.available) * clamped);
}

MemoryTester::MemoryTester(MemoryTesterSettings settings, ErrorLog& errors,
                           std::function<bool()> stopRequested)
    : m_settings(std::move(settings))
    , m_log(errors)
    , m_stopRequested(std::move(stopRequested))
{
}

MemoryTester::~MemoryTester()
{
    release();
}

void MemoryTester::run()
{
    grow();
    if (m_chunks.empty() && !m_stopRequested())
        note("No memory could be set aside for the memory test");
    std::size_t pattern = 0;
    while (!m_chunks.empty() && !m_stopRequested()) {
        if (!runPattern(pattern))
            break;
        pattern = (pattern + 1) % kPatternNames.size();
        if (pattern == 0)
            m_passes.fetch_add(1, std::memory_order_relaxed);
    }
    release();
}

std::vector<std::string> MemoryTester::notes() const
{
    const std::lock_guard lock(m_notesMutex);
    return m_notes;
}

void MemoryTester::note(std::string text)
{
    const std::lock_guard lock(m_notesMutex);
    m_notes.push_back(std::move(text));
}

void MemoryTester::grow()
{
    const std::size_t chunk = std::max<std::size_t>(m_settings.chunkBytes & ~std::size_t{7}, 8);
    std::uint64_t held = 0;
    while (held < m_settings.bytes && !m_stopRequested()) {
        const std::size_t bytes =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk, m_settings.bytes - held)) &
            ~std::size_t{7};
        if (bytes == 0)
            break;
        const MemoryGaugeReading gauge = m_settings.gauge();
        if (gauge.available < bytes + gauge.total / 10) {
            note("Stopped growing at " + mebibytes(held) +
                 ": the machine's available memory is close to a tenth of its total");
            break;
        }
        void* block = m_settings.allocator->allocate(bytes);
        if (block == nullptr) {
            note("Stopped growing at " + mebibytes(held) + ": no more memory could be allocated");
            break;
        }
        // Touching every page now makes the kernel count it before the next reading.
        std::memset(block, 0, bytes);
        m_chunks.emplace_back(static_cast<std::uint64_t*>(block), bytes / sizeof(std::uint64_t));
        held += bytes;
        m_bytes.store(held, std::memory_order_relaxed);
    }
}

void MemoryTester::release()
{
    for (const auto& chunk : m_chunks)
        m_settings.allocator->release(chunk.data());
    m_chunks.clear();
}

void MemoryTester::check(std::size_t pattern, std::uint64_t* word, std::uint64_t expected)
{
    const std::uint64_t found = *word;
    if (found == expected)
        return;
    m_errors.fetch_add(1, std::memory_order_relaxed);
    m_log.add(
        {-1, std::string(kPatternNames[pattern]), reinterpret_cast<std::uintptr_t>(word), expected, found});
}

bool MemoryTester::runPattern(std::size_t pattern)
{
    // Visits every word with its index in the whole block, checking for a stop every megabyte; false
    // when stopped.
    const auto forEachWord = [this](bool ascending, const auto& visit) {
        std::uint64_t index = 0;
        const auto visitChunk = [&](std::span<std::uint64_t> chunk, std::uint64_t first) {
            for (std::size_t done = 0; done < chunk.size(); done += kWordsBetweenStopChecks) {
                if (m_stopRequested())
                    return false;
                const std::size_t end = std::min(chunk.size(), done + kWordsBetweenStopChecks);
                if (ascending)
                    for (std::size_t i = done; i < end; ++i)
                        visit(&chunk[i], first + i);
                else
                    for (std::size_t i = chunk.size() - done; i > chunk.size() - end; --i)
                        visit(&chunk[i - 1], first + i - 1);
            }
            return true;
        };
        std::vector<std::uint64_t> firsts;
        for (const auto& chunk : m_chunks) {
            firsts.push_back(index);
            index += chunk.size();
        }
        for (std::size_t n = 0; n < m_chunks.size(); ++n) {
            const std::size_t c = ascending ? n : m_chunks.size() - 1 - n;
            if (!visitChunk(m_chunks[c], firsts[c]))
                return false;
        }
        bench::clobberMemory();
        return true;
    };
    const auto inject = [this, pattern] {
        if (m_settings.faults != nullptr)
            for (const auto& chunk : m_chunks)
                m_settings.faults->memoryPattern(kPatternNames[pattern], chunk);
        bench::clobberMemory();
    };
    const auto writeAndCheck = [&](const auto& value) {
        if (!forEachWord(true, [&](std::uint64_t* word, std::uint64_t index) { *word = value(word, index); }))
            return false;
        inject();
        return forEachWord(true, [&](std::uint64_t* word, std::uint64_t index) {
            check(pattern, word, value(word, index));
        });
    };

    switch (pattern) {
    case 0:
        return writeAndCheck(
            [](std::uint64_t*, std::uint64_t index) { return std::uint64_t{1} << (index % 64); });
    case 1:
        return writeAndCheck(
            [](std::uint64_t*, std::uint64_t index) { return ~(std::uint64_t{1} << (index % 64)); });
    case 2:
        return writeAndCheck([](std::uint64_t* word, std::uint64_t) {
            return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(word));
        });
    case 3: {
        if (!forEachWord(true, [](std::uint64_t* word, std::uint64_t) { *word = kInversionPattern; }))
            return false;
        inject();
        if (!forEachWord(true, [&](std::uint64_t* word, std::uint64_t) {
                check(pattern, word, kInversionPattern);
                *word = ~kInversionPattern;
            }))
            return false;
        return forEachWord(false, [&](std::uint64_t* word, std::uint64_t) {
            check(pattern, word, ~kInversionPattern);
            *word = kInversionPattern;
        });
    }
    default: {
        const std::uint64_t seed = std::random_device()() | (std::uint64_t{std::random_device()()} << 32);
        if (passes() < kKeptSeeds)
            note("Random data, pass " + std::to_string(passes() + 1) + ": seed " + hex(seed));
        // Each word's value depends on the seed and its index only, so it can be made again to check.
        const auto value = [seed](std::uint64_t*, std::uint64_t index) {
            std::uint64_t state = seed ^ (index * 0xD1B5'4A32'D192'ED03);
            return splitMix(state);
        };
        return writeAndCheck(value);
    }
    }
}

} // namespace qv::stress

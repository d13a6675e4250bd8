#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace qv::stress {

// One wrong result: who found it, in what, where, and the two values.
struct StressError {
    int worker = -1;       // processor worker index; -1 for the memory tester
    std::string where;     // kernel or pattern name
    std::uint64_t address; // byte offset in the kernel's state, or the tested word's address
    std::uint64_t expected;
    std::uint64_t found;
};

// "worker 0, Whetstone, offset 0x18: expected 0x…, found 0x…"
std::string describe(const StressError& error);

// Every error is counted; the first few are kept for the report. Shared by all workers.
class ErrorLog {
public:
    static constexpr std::size_t kKept = 20;

    void add(StressError error);
    std::uint64_t count() const { return m_count.load(std::memory_order_relaxed); }
    std::vector<StressError> first() const;

private:
    std::atomic<std::uint64_t> m_count{0};
    mutable std::mutex m_mutex;
    std::vector<StressError> m_first;
};

} // namespace qv::stress

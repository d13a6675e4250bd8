#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace qv::stress {

// Called with every result just before it is checked, so that a test (or "stress --self-check") can
// corrupt one and see that the checker finds it. Calls come from the worker threads.
class FaultInjector {
public:
    virtual ~FaultInjector() = default;
    // The final state of one kernel pass, as 64-bit words.
    virtual void kernelPass(int worker, std::string_view kernel, std::span<std::uint64_t> state) = 0;
    // The tested memory after a pattern was written, before it is read back.
    virtual void memoryPattern(std::string_view pattern, std::span<std::uint64_t> words) = 0;
};

// Flips one bit once: in word `word` of the named kernel's state on worker `worker`, and in word `word`
// of the tested memory after the named pattern. An empty name injects nothing there.
class OneShotFaults final : public FaultInjector {
public:
    struct Target {
        std::string_view name;
        std::size_t word = 0;
        int bit = 0;
    };

    OneShotFaults(int worker, Target kernel, Target memory);

    void kernelPass(int worker, std::string_view kernel, std::span<std::uint64_t> state) override;
    void memoryPattern(std::string_view pattern, std::span<std::uint64_t> words) override;

private:
    static bool flip(const Target& target, std::span<std::uint64_t> words);

    int m_worker;
    Target m_kernel;
    Target m_memory;
    std::atomic<bool> m_kernelDone{false};
    std::atomic<bool> m_memoryDone{false};
};

} // namespace qv::stress

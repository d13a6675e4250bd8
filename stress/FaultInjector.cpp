#include "stress/FaultInjector.h"

namespace qv::stress {

OneShotFaults::OneShotFaults(int worker, Target kernel, Target memory)
    : m_worker(worker)
    , m_kernel(kernel)
    , m_memory(memory)
{
}

bool OneShotFaults::flip(const Target& target, std::span<std::uint64_t> words)
{
    if (target.word >= words.size())
        return false;
    words[target.word] ^= std::uint64_t{1} << (target.bit & 63);
    return true;
}

void OneShotFaults::kernelPass(int worker, std::string_view kernel, std::span<std::uint64_t> state)
{
    if (worker != m_worker || kernel != m_kernel.name || m_kernelDone.load())
        return;
    if (flip(m_kernel, state))
        m_kernelDone = true;
}

void OneShotFaults::memoryPattern(std::string_view pattern, std::span<std::uint64_t> words)
{
    if (pattern != m_memory.name || m_memoryDone.load())
        return;
    if (flip(m_memory, words))
        m_memoryDone = true;
}

} // namespace qv::stress

#pragma once

#include "bench/MemoryKernel.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace qv::test {

// Hands out std::malloc blocks and remembers them; can refuse every request.
class RecordingAllocator final : public bench::BlockAllocator {
public:
    explicit RecordingAllocator(bool refuse = false)
        : m_refuse(refuse)
    {
    }

    void* allocate(std::size_t bytes) noexcept override
    {
        if (m_refuse)
            return nullptr;
        void* block = std::malloc(bytes);
        const std::lock_guard lock(m_mutex);
        m_blocks.push_back(block);
        m_held += bytes;
        return block;
    }
    void release(void* block) noexcept override
    {
        std::free(block);
        const std::lock_guard lock(m_mutex);
        ++m_released;
    }
    std::vector<void*> blocks() const
    {
        const std::lock_guard lock(m_mutex);
        return m_blocks;
    }
    std::size_t held() const
    {
        const std::lock_guard lock(m_mutex);
        return m_held;
    }
    std::size_t outstanding() const
    {
        const std::lock_guard lock(m_mutex);
        return m_blocks.size() - m_released;
    }

private:
    bool m_refuse;
    mutable std::mutex m_mutex;
    std::vector<void*> m_blocks;
    std::size_t m_held = 0;
    std::size_t m_released = 0;
};

// Polls `done` until it holds; a generous bound keeps a broken build from hanging the suite.
inline bool eventually(const std::function<bool()>& done)
{
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace qv::test

#pragma once

#include <atomic>

namespace qv::bench {

// Tells the compiler that any memory may be read or written here, so stores before this point must
// really happen and loads after it must really be made. Emits no instruction. The kernels call it
// after each repetition so that repetitions with identical results are neither merged nor dropped.
inline void clobberMemory()
{
#if defined(__GNUC__)
    __asm__ __volatile__("" ::: "memory");
#else
    std::atomic_signal_fence(std::memory_order_seq_cst);
#endif
}

} // namespace qv::bench

#pragma once

#include "bench/KernelClock.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>

namespace qv::bench {

inline constexpr std::size_t kMemoryBlockBytes = 2'097'152;
inline constexpr std::size_t kMemoryBlockWords = kMemoryBlockBytes / sizeof(std::int32_t);
inline constexpr int kMemoryMoves = 300;
// Kilobytes moved by the timed part: 300 × 2,097,152 bytes / 1,024.
inline constexpr double kMemoryKilobytesMoved = 614'400;

// A buffer could not be allocated; shown by the default error handler as "Out of memory".
class OutOfMemory : public std::exception {
public:
    const char* what() const noexcept override;
};

// Where the memory kernel gets its two buffers from; tests substitute one that fails on demand.
class BlockAllocator {
public:
    virtual ~BlockAllocator() = default;
    // A block aligned for 32-bit words, or nullptr when there is no memory for it.
    virtual void* allocate(std::size_t bytes) noexcept = 0;
    virtual void release(void* block) noexcept = 0;
};

// std::malloc and std::free.
BlockAllocator& systemBlockAllocator();

// Allocates the source and then the destination buffer, writes the value i into source word i
// (1 … 524,288) and copies the source into the destination word by word, so that every page of
// both buffers is touched before the timing. Throws OutOfMemory when either allocation fails, having
// released whatever it had allocated.
void PrepareMemoryBlocks(BlockAllocator& allocator = systemBlockAllocator());
// One overlap-safe block move of the whole source onto the destination.
void MoveMemoryBlock();
// The destination buffer of this thread's blocks as the last move left it; empty when none are held.
std::span<const std::int32_t> memoryDestination();
// Releases the destination, then the source; does nothing when no buffers are held.
void FreeMemoryBlocks();

// Kilobytes per millisecond for the timed moves: 614,400 / elapsed, or 0 when no time elapsed.
double memorySpeed(double elapsedMs);
// round((speed × 100) / 42 × 0.5), the product formed in 32-bit integers.
std::int32_t MemoryIndex(std::int32_t speed);

struct MemoryBenchmarkFigures {
    double elapsedMs = 0;
    double speed = 0;
    std::int32_t memoryIndex = 0;
};

// Prepares the buffers, times 300 moves, frees the buffers and scores the speed.
MemoryBenchmarkFigures runMemoryKernel(KernelClock& clock = steadyKernelClock(),
                                       BlockAllocator& allocator = systemBlockAllocator());

} // namespace qv::bench

#include "bench/MemoryKernel.h"

#include "bench/OptimisationBarrier.h"
#include "bench/Rounding.h"

#include <cstdlib>
#include <cstring>

namespace qv::bench {

namespace {

class SystemBlockAllocator final : public BlockAllocator {
public:
    void* allocate(std::size_t bytes) noexcept override { return std::malloc(bytes); }
    void release(void* block) noexcept override { std::free(block); }
};

// The buffers of the current run, one pair per thread.
struct MemoryBlocks {
    std::int32_t* source = nullptr;
    std::int32_t* destination = nullptr;
    BlockAllocator* allocator = nullptr;
};

thread_local MemoryBlocks blocks;

std::int32_t* allocateBlock(BlockAllocator& allocator)
{
    void* block = allocator.allocate(kMemoryBlockBytes);
    if (block == nullptr)
        throw OutOfMemory();
    return static_cast<std::int32_t*>(block);
}

// Volatile accesses keep these loops word by word: a compiler would otherwise be free to turn them
// into library calls or drop them, since the timed moves overwrite the destination anyway.
void fillAndTouch()
{
    volatile std::int32_t* const source = blocks.source;
    volatile std::int32_t* const destination = blocks.destination;
    for (std::size_t i = 0; i < kMemoryBlockWords; ++i)
        source[i] = static_cast<std::int32_t>(i + 1);
    for (std::size_t i = 0; i < kMemoryBlockWords; ++i)
        destination[i] = source[i];
}

[[gnu::noinline]] void moveBlocks(int count)
{
    for (int move = 0; move < count; ++move)
        MoveMemoryBlock();
}

} // namespace

const char* OutOfMemory::what() const noexcept
{
    return "Out of memory";
}

BlockAllocator& systemBlockAllocator()
{
    static SystemBlockAllocator allocator;
    return allocator;
}

void PrepareMemoryBlocks(BlockAllocator& allocator)
{
    FreeMemoryBlocks();
    blocks.allocator = &allocator;
    blocks.source = allocateBlock(allocator);
    try {
        blocks.destination = allocateBlock(allocator);
    } catch (const OutOfMemory&) {
        FreeMemoryBlocks();
        throw;
    }
    fillAndTouch();
}

[[gnu::noinline]] void MoveMemoryBlock()
{
    std::memmove(blocks.destination, blocks.source, kMemoryBlockBytes);
    // Each move must happen: the next one writes the same bytes, which would make this one dead.
    clobberMemory();
}

std::span<const std::int32_t> memoryDestination()
{
    if (blocks.destination == nullptr)
        return {};
    return {blocks.destination, kMemoryBlockWords};
}

void FreeMemoryBlocks()
{
    if (blocks.allocator == nullptr)
        return;
    if (blocks.destination != nullptr)
        blocks.allocator->release(blocks.destination);
    if (blocks.source != nullptr)
        blocks.allocator->release(blocks.source);
    blocks = MemoryBlocks{};
}

double memorySpeed(double elapsedMs)
{
    return elapsedMs != 0 ? kMemoryKilobytesMoved / elapsedMs : 0;
}

std::int32_t MemoryIndex(std::int32_t speed)
{
    const auto hundredfold = static_cast<std::int32_t>(std::int64_t{speed} * 100);
    double x = hundredfold / 42.0;
    x = x * 0.5;
    return roundToInteger<std::int32_t>(x);
}

MemoryBenchmarkFigures runMemoryKernel(KernelClock& clock, BlockAllocator& allocator)
{
    PrepareMemoryBlocks(allocator);
    const double t0 = clock.nowMs();
    moveBlocks(kMemoryMoves);
    const double t1 = clock.nowMs();
    FreeMemoryBlocks();

    MemoryBenchmarkFigures figures;
    figures.elapsedMs = t1 - t0;
    figures.speed = memorySpeed(figures.elapsedMs);
    figures.memoryIndex = MemoryIndex(roundToInteger<std::int32_t>(figures.speed));
    return figures;
}

} // namespace qv::bench

#include "stress/KernelPasses.h"

#include "bench/Dhrystone.h"
#include "bench/Livermore.h"
#include "bench/MemoryKernel.h"
#include "bench/Whetstone.h"

#include <bit>
#include <type_traits>

namespace qv::stress {

namespace {

// Scales that keep one kernel call short, so that a stop is seen within a fraction of a second.
constexpr double kDhrystoneScale = 3'000;
constexpr double kWhetstoneScale = 300;
constexpr double kLivermoreScale = 150;
constexpr int kMemoryMoves = 16;

class StateWords {
public:
    template<typename T>
    void add(T value)
    {
        if constexpr (std::is_floating_point_v<T>)
            m_words.push_back(std::bit_cast<std::uint64_t>(static_cast<double>(value)));
        else if constexpr (std::is_enum_v<T>)
            m_words.push_back(static_cast<std::uint64_t>(value));
        else
            m_words.push_back(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
    }
    template<typename Range>
    void addAll(const Range& values)
    {
        for (const auto& value : values)
            add(value);
    }
    std::vector<std::uint64_t> take() { return std::move(m_words); }

private:
    std::vector<std::uint64_t> m_words;
};

void addRecord(StateWords& words, const bench::RecordType* record)
{
    if (record == nullptr)
        return;
    words.add(record->Discr);
    words.add(record->EnumComp);
    words.add(record->IntComp);
    words.addAll(record->StrComp.text());
}

std::vector<std::uint64_t> dhrystone()
{
    bench::DhrystoneRate(kDhrystoneScale);
    const bench::DhrystoneState& s = bench::dhrystoneState();
    StateWords words;
    for (const auto value : {s.IntGlob, s.RunIndex, s.NumberOfRuns})
        words.add(value);
    words.add(s.BoolGlob);
    for (const auto value : {s.Ch1Glob, s.Ch2Glob, s.ChIndex})
        words.add(value);
    for (const auto value : {s.Int1Loc, s.Int2Loc, s.Int3Loc})
        words.add(value);
    words.add(s.EnumLoc);
    words.addAll(s.Arr1Glob.items);
    words.addAll(s.Arr2Glob.items);
    words.addAll(s.Str1Loc.text());
    words.addAll(s.Str2Loc.text());
    addRecord(words, s.PtrGlob);
    addRecord(words, s.NextPtrGlob);
    return words.take();
}

std::vector<std::uint64_t> whetstone()
{
    bench::WhetstoneRate(kWhetstoneScale);
    const bench::WhetstoneState& s = bench::whetstoneState();
    StateWords words;
    words.add(s.ITER);
    words.add(s.J4);
    for (const auto value : {s.J, s.K, s.L})
        words.add(value);
    for (const double value : {s.T2, s.X1, s.X2, s.X3, s.X4, s.X, s.Y, s.Z})
        words.add(value);
    words.addAll(s.E1);
    return words.take();
}

std::vector<std::uint64_t> livermore()
{
    bench::LivermoreMflops(kLivermoreScale);
    bench::LivermoreData& d = bench::livermoreState();
    StateWords words;
    for (int k = 1; k <= static_cast<int>(bench::LivermoreData::kVectorLength); ++k)
        for (const double value : {d.X(k), d.Y(k), d.Z(k), d.U(k)})
            words.add(value);
    for (int row = 1; row <= 15; ++row)
        for (int column = 1; column <= 100; ++column)
            words.add(d.CX(row, column));
    for (int i = 1; i <= 64; ++i)
        for (int j = 1; j <= 8; ++j)
            for (const double value : {d.B(i, j), d.C(i, j), d.H(i, j)})
                words.add(value);
    for (const double value : {d.q,   d.r,   d.t,   d.a11, d.a12, d.a13, d.sig, d.a21, d.a22, d.a23, d.a31,
                               d.a32, d.a33, d.flx, d.du1, d.du2, d.du3, d.ar,  d.br,  d.cr,  d.rx,  d.xi})
        words.add(value);
    for (const auto value : {d.i1, d.j1, d.i2, d.j2, d.ir, d.ix})
        words.add(value);
    return words.take();
}

std::vector<std::uint64_t> memoryKernel()
{
    bench::PrepareMemoryBlocks();
    for (int move = 0; move < kMemoryMoves; ++move)
        bench::MoveMemoryBlock();
    const std::span<const std::int32_t> destination = bench::memoryDestination();
    std::vector<std::uint64_t> words(destination.size() / 2);
    for (std::size_t i = 0; i < words.size(); ++i)
        words[i] = std::uint64_t{std::bit_cast<std::uint32_t>(destination[2 * i])} |
                   std::uint64_t{std::bit_cast<std::uint32_t>(destination[2 * i + 1])} << 32;
    bench::FreeMemoryBlocks();
    return words;
}

} // namespace

std::vector<std::uint64_t> runKernel(std::size_t kernel)
{
    switch (kernel) {
    case 0:
        return dhrystone();
    case 1:
        return whetstone();
    case 2:
        return livermore();
    default:
        return memoryKernel();
    }
}

} // namespace qv::stress

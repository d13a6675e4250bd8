#pragma once

#include "bench/KernelClock.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace qv::bench {

// The five identifiers of the benchmark's enumeration type.
enum class Enumeration : std::uint8_t { Ident1, Ident2, Ident3, Ident4, Ident5 };

using OneFifty = std::uint8_t; // the small-integer type, range 1 … 50
using CapitalLetter = char;

// A 30-character string behind its length byte; characters are indexed 1 … 30.
struct Str30 {
    std::uint8_t length = 0;
    std::array<char, 30> chars{};

    char operator[](int index) const { return chars[static_cast<std::size_t>(index - 1)]; }
    std::string_view text() const { return {chars.data(), length}; }
    bool operator==(const Str30&) const = default;
};

struct RecordType {
    RecordType* PtrComp = nullptr;
    Enumeration Discr = Enumeration::Ident1;
    Enumeration EnumComp = Enumeration::Ident1;
    OneFifty IntComp = 0;
    Str30 StrComp;
};

// 50 signed 32-bit integers indexed 1 … 50.
struct Array1Dim {
    std::array<std::int32_t, 50> items{};
    std::int32_t& operator[](int index) { return items[static_cast<std::size_t>(index - 1)]; }
    std::int32_t operator[](int index) const { return items[static_cast<std::size_t>(index - 1)]; }
};

// 50 × 50 signed 32-bit integers indexed [1 … 50, 1 … 50], row-major.
struct Array2Dim {
    std::array<std::int32_t, std::size_t{50} * 50> items{};
    std::int32_t& operator()(int row, int column)
    {
        return items[static_cast<std::size_t>((row - 1) * 50 + (column - 1))];
    }
    std::int32_t operator()(int row, int column) const
    {
        return items[static_cast<std::size_t>((row - 1) * 50 + (column - 1))];
    }
};

// Everything the integer kernel computes lives here (one state per thread), so an optimising build cannot
// drop any of the work as unused. The two records are allocated by each call and kept until the next one.
struct DhrystoneState {
    RecordType* PtrGlob = nullptr;
    RecordType* NextPtrGlob = nullptr;
    std::int32_t IntGlob = 0;
    bool BoolGlob = false;
    CapitalLetter Ch1Glob = 0;
    CapitalLetter Ch2Glob = 0;
    Array1Dim Arr1Glob;
    Array2Dim Arr2Glob;

    // Locals of the main loop.
    OneFifty Int1Loc = 0;
    OneFifty Int2Loc = 0;
    OneFifty Int3Loc = 0;
    CapitalLetter ChIndex = 0;
    Enumeration EnumLoc = Enumeration::Ident1;
    Str30 Str1Loc;
    Str30 Str2Loc;

    std::int32_t RunIndex = 0;
    std::int32_t NumberOfRuns = 0;
};

// The kernel's state after the last call.
const DhrystoneState& dhrystoneState();

// The number of main-loop passes for a scale: round((scale × ⅓ + 1) × 200).
std::int32_t dhrystoneRuns(double scale);

// Dhrystones per second for a number of runs and an elapsed time; 0 when no time elapsed.
double dhrystoneRateFor(std::int32_t runs, double elapsedMs);

// Runs the integer benchmark dhrystoneRuns(scale) times and returns Dhrystones per second.
double DhrystoneRate(double scale, KernelClock& clock = steadyKernelClock());

} // namespace qv::bench

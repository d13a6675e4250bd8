#include "bench/Dhrystone.h"

#include "bench/Rounding.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace qv::bench {

namespace {

using enum Enumeration;

constexpr Str30 makeStr30(const char (&text)[31])
{
    Str30 result;
    result.length = 30;
    std::copy_n(text, 30, result.chars.begin());
    return result;
}

constexpr Str30 kRecordString = makeStr30("DHRYSTONE PROGRAM, SOME STRING");
constexpr Str30 kFirstString = makeStr30("DHRYSTONE PROGRAM, 1'ST STRING");
constexpr Str30 kSecondString = makeStr30("DHRYSTONE PROGRAM, 2'ND STRING");
constexpr Str30 kThirdString = makeStr30("DHRYSTONE PROGRAM, 3'RD STRING");

// One state per thread, so that the stability test can run the kernel on every processor at once.
thread_local DhrystoneState state;
thread_local std::unique_ptr<RecordType> globRecord;
thread_local std::unique_ptr<RecordType> nextRecord;

// Lexical comparison of two strings: negative, zero or positive.
int compareStrings(const Str30& left, const Str30& right)
{
    const std::size_t common = std::min(left.length, right.length);
    const int byCharacters = std::memcmp(left.chars.data(), right.chars.data(), common);
    return byCharacters != 0 ? byCharacters : left.length - right.length;
}

// The procedures and functions are real calls, with value and reference parameters as the benchmark
// passes them; inlining them would change what is being measured.

[[gnu::noinline]] void Proc7(OneFifty int1ParVal, OneFifty int2ParVal, OneFifty& intParRef)
{
    const OneFifty intLoc = static_cast<OneFifty>(int1ParVal + 2);
    intParRef = static_cast<OneFifty>(int2ParVal + intLoc);
}

[[gnu::noinline]] Enumeration Func1(CapitalLetter ch1ParVal, CapitalLetter ch2ParVal)
{
    const CapitalLetter ch1Loc = ch1ParVal;
    const CapitalLetter ch2Loc = ch1Loc;
    if (ch2Loc != ch2ParVal)
        return Ident1;
    state.Ch1Glob = ch1Loc;
    return Ident2;
}

[[gnu::noinline]] bool Func2(const Str30& str1ParRef, const Str30& str2ParRef)
{
    OneFifty intLoc = 2;
    CapitalLetter chLoc = 0;
    while (intLoc <= 2)
        if (Func1(str1ParRef[intLoc], str2ParRef[intLoc + 1]) == Ident1) {
            chLoc = 'A';
            intLoc += 1;
        }
    if (chLoc >= 'W' && chLoc < 'Z')
        intLoc = 7;
    if (chLoc == 'R')
        return true;
    if (compareStrings(str1ParRef, str2ParRef) > 0) {
        intLoc += 7;
        state.IntGlob = intLoc;
        return true;
    }
    return false;
}

[[gnu::noinline]] bool Func3(Enumeration enumParVal)
{
    const Enumeration enumLoc = enumParVal;
    return enumLoc == Ident3;
}

[[gnu::noinline]] void Proc6(Enumeration enumValPar, Enumeration& enumRefPar)
{
    enumRefPar = enumValPar;
    if (!Func3(enumValPar))
        enumRefPar = Ident4;
    switch (enumValPar) {
    case Ident1:
        enumRefPar = Ident1;
        break;
    case Ident2:
        enumRefPar = state.IntGlob > 100 ? Ident1 : Ident4;
        break;
    case Ident3:
        enumRefPar = Ident2;
        break;
    case Ident4:
        break;
    case Ident5:
        enumRefPar = Ident3;
        break;
    }
}

[[gnu::noinline]] void Proc3(RecordType*& ptrRefPar)
{
    if (state.PtrGlob != nullptr)
        ptrRefPar = state.PtrGlob->PtrComp;
    Proc7(10, static_cast<OneFifty>(state.IntGlob), state.PtrGlob->IntComp);
}

[[gnu::noinline]] void Proc1(RecordType* ptrValPar)
{
    RecordType* const nextRecord = ptrValPar->PtrComp;
    *ptrValPar->PtrComp = *state.PtrGlob;
    ptrValPar->IntComp = 5;
    nextRecord->IntComp = ptrValPar->IntComp;
    nextRecord->PtrComp = ptrValPar->PtrComp;
    Proc3(nextRecord->PtrComp);
    if (nextRecord->Discr == Ident1) {
        nextRecord->IntComp = 6;
        Proc6(ptrValPar->EnumComp, nextRecord->EnumComp);
        nextRecord->PtrComp = state.PtrGlob->PtrComp;
        Proc7(nextRecord->IntComp, 10, nextRecord->IntComp);
    } else {
        *ptrValPar = *ptrValPar->PtrComp;
    }
}

[[gnu::noinline]] void Proc2(OneFifty& intParRef)
{
    OneFifty intLoc = static_cast<OneFifty>(intParRef + 10);
    Enumeration enumLoc = Ident2;
    do {
        if (state.Ch1Glob == 'A') {
            intLoc -= 1;
            intParRef = static_cast<OneFifty>(intLoc - state.IntGlob);
            enumLoc = Ident1;
        }
    } while (enumLoc != Ident1);
}

[[gnu::noinline]] void Proc4()
{
    const bool boolLoc = state.Ch1Glob == 'A';
    state.BoolGlob = boolLoc | state.BoolGlob;
    state.Ch2Glob = 'B';
}

[[gnu::noinline]] void Proc5()
{
    state.Ch1Glob = 'A';
    state.BoolGlob = false;
}

[[gnu::noinline]] void Proc8(Array1Dim& arr1ParRef, Array2Dim& arr2ParRef, OneFifty int1ParVal,
                             OneFifty int2ParVal)
{
    const OneFifty intLoc = static_cast<OneFifty>(int1ParVal + 5);
    arr1ParRef[intLoc] = int2ParVal;
    arr1ParRef[intLoc + 1] = arr1ParRef[intLoc];
    arr1ParRef[intLoc + 30] = intLoc;
    for (int intIndex = intLoc; intIndex <= intLoc + 1; ++intIndex)
        arr2ParRef(intLoc, intIndex) = intLoc;
    arr2ParRef(intLoc, intLoc - 1) += 1;
    arr2ParRef(intLoc + 20, intLoc) = arr1ParRef[intLoc];
    state.IntGlob = 5;
}

// The main loop, exactly as published; every variable it touches is in the per-thread state.
[[gnu::noinline]] void runMainLoop()
{
    DhrystoneState& s = state;
    for (s.RunIndex = 1; s.RunIndex <= s.NumberOfRuns; ++s.RunIndex) {
        Proc5();
        Proc4();
        s.Int1Loc = 2;
        s.Int2Loc = 3;
        s.Str2Loc = kSecondString;
        s.EnumLoc = Ident2;
        s.BoolGlob = !Func2(s.Str1Loc, s.Str2Loc);
        while (s.Int1Loc < s.Int2Loc) {
            s.Int3Loc = static_cast<OneFifty>(5 * s.Int1Loc - s.Int2Loc);
            Proc7(s.Int1Loc, s.Int2Loc, s.Int3Loc);
            s.Int1Loc += 1;
        }
        Proc8(s.Arr1Glob, s.Arr2Glob, s.Int1Loc, s.Int3Loc);
        Proc1(s.PtrGlob);
        for (s.ChIndex = 'A'; s.ChIndex <= s.Ch2Glob; ++s.ChIndex) {
            if (s.EnumLoc == Func1(s.ChIndex, 'C')) {
                Proc6(Ident1, s.EnumLoc);
                s.Str2Loc = kThirdString;
                s.Int2Loc = static_cast<OneFifty>(s.RunIndex);
                s.IntGlob = s.RunIndex;
            }
        }
        s.Int2Loc = static_cast<OneFifty>(s.Int2Loc * s.Int1Loc);
        s.Int1Loc = static_cast<OneFifty>(s.Int2Loc / s.Int3Loc);
        s.Int2Loc = static_cast<OneFifty>(7 * (s.Int2Loc - s.Int3Loc) - s.Int1Loc);
        Proc2(s.Int1Loc);
    }
}

// Everything the benchmark initialises, set before the timing so that no result depends on an
// earlier call.
void initialise(std::int32_t runs)
{
    nextRecord = std::make_unique<RecordType>();
    globRecord = std::make_unique<RecordType>();
    state = DhrystoneState{};
    state.NextPtrGlob = nextRecord.get();
    state.PtrGlob = globRecord.get();
    state.PtrGlob->PtrComp = state.NextPtrGlob;
    state.PtrGlob->Discr = Ident1;
    state.PtrGlob->EnumComp = Ident3;
    state.PtrGlob->IntComp = 40;
    state.PtrGlob->StrComp = kRecordString;
    state.Str1Loc = kFirstString;
    state.Arr2Glob(8, 7) = 10;
    state.NumberOfRuns = runs;
}

} // namespace

const DhrystoneState& dhrystoneState()
{
    return state;
}

std::int32_t dhrystoneRuns(double scale)
{
    return roundToInteger<std::int32_t>((scale * kOneThird + 1) * 200);
}

double dhrystoneRateFor(std::int32_t runs, double elapsedMs)
{
    if (elapsedMs == 0)
        return 0;
    return (1000 / elapsedMs) * runs;
}

double DhrystoneRate(double scale, KernelClock& clock)
{
    initialise(dhrystoneRuns(scale));
    const double begin = clock.nowMs();
    runMainLoop();
    const double end = clock.nowMs();
    return dhrystoneRateFor(state.NumberOfRuns, end - begin);
}

} // namespace qv::bench

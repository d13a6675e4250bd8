#pragma once

#include "platform/CpuidSource.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qv::platform {

// A processor replayed from text lines "CPUID LLLLLLLL: EAX-EBX-ECX-EDX" (hexadecimal, up to eight
// digits each). Other lines are ignored, a later line for the same leaf replaces an earlier one, a leaf
// the dump lacks reads as zeros, and a dump without any such line is a processor without CPUID.
// A dump holds no time base: its time-stamp counter is this machine's, unless a line "CLOCK 866.0"
// names the clock (in MHz) that measuring it finds.
class RecordedCpuidSource final : public CpuidSource {
public:
    static RecordedCpuidSource parse(std::string_view text);
    // A dump is a few kilobytes; a file beyond this is not one (an endless device, a wrong file).
    static constexpr std::int64_t kMaxFileSize = std::int64_t{16} * 1024 * 1024;
    // Reads a regular file or a character device without blocking on a FIFO, at most kMaxFileSize
    // bytes. Throws FileAccessError saying why when the file cannot be read to its end.
    static RecordedCpuidSource fromFile(const std::string& path);

    bool identificationFlagToggles() const override { return !m_leaves.empty(); }
    CpuidRegisters execute(std::uint32_t leaf) const override;
    std::uint64_t readTimeStampCounter() const override;
    std::optional<float> scriptedClockMegahertz() const override { return m_clock; }

    const std::map<std::uint32_t, CpuidRegisters>& leaves() const { return m_leaves; }

private:
    std::map<std::uint32_t, CpuidRegisters> m_leaves;
    std::optional<float> m_clock;
};

// The MHz of a "CLOCK 866.0" line (a finite figure of 0 or more), or nothing for any other line.
std::optional<float> parseClockDumpLine(std::string_view line);

// One dump line, or nothing when the line is not a well-formed CPUID line.
struct CpuidDumpLine {
    std::uint32_t leaf = 0;
    CpuidRegisters registers;
};
std::optional<CpuidDumpLine> parseCpuidDumpLine(std::string_view line);

// "CPUID 00000002: 03020101-00000000-00000000-0C040843"
std::string formatCpuidDumpLine(std::uint32_t leaf, const CpuidRegisters& registers);

// The dump of a source: every standard leaf up to its maximum, leaf 0x80000000 and every extended leaf
// up to its maximum (sub-leaf 0), after a comment line naming the brand string. A source without CPUID
// gives the comment alone. Runaway maxima are cut at 256 leaves per range.
std::string recordCpuidDump(const CpuidSource& source);

} // namespace qv::platform

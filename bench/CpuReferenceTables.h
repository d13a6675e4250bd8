#pragma once

#include "bench/Rating.h"
#include "bench/ReferenceRow.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv::bench {

// The nine reference families of the CPU comparison charts, in the order of their tables.
enum class CpuFamily {
    Pentium,
    PentiumII,
    PentiumIII,
    Pentium4,
    Celeron,
    Duron,
    Athlon,
    AthlonThunderbird,
    AthlonXP
};
inline constexpr std::array kCpuFamilies{
    CpuFamily::Pentium,  CpuFamily::PentiumII,         CpuFamily::PentiumIII,
    CpuFamily::Pentium4, CpuFamily::Celeron,           CpuFamily::Duron,
    CpuFamily::Athlon,   CpuFamily::AthlonThunderbird, CpuFamily::AthlonXP};

// The three charts of the CPU comparison window, in page order.
enum class CpuChart { General, Alu, Fpu };
inline constexpr std::array kCpuCharts{CpuChart::General, CpuChart::Alu, CpuChart::Fpu};

// The family's reference rows on one chart, in the order they are added.
const std::vector<ReferenceRow>& cpuReferenceRows(CpuFamily family, CpuChart chart);

// "Pentium III", "Athlon Thunderbird", ...
QString cpuFamilyWord(CpuFamily family);
// The caption above a chart, e.g. "Performances of your CPU compared to Pentium III cpus".
QString cpuChartCaption(CpuFamily family, CpuChart chart);
// The user's bar label on a chart of a family.
QString cpuUserLabel(CpuFamily family, CpuChart chart);
// The title of a chart's value axis.
QString cpuAxisTitle(CpuChart chart);

// The family shown first for a general index.
CpuFamily cpuFamilyForIndex(std::int32_t generalIndex);
// Stars and verdict for a general index.
Rating cpuRating(std::int32_t generalIndex);

} // namespace qv::bench

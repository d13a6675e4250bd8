#include "results/report/ReferenceRows.h"

#include "bench/CpuReferenceTables.h"
#include "bench/MemoryReferenceTables.h"
#include "bench/disk/DiskReferences.h"
#include "bench/display/DisplayTests.h"
#include "bench/overall/OverallIndex.h"

#include <cmath>

namespace qv::cli {

using results::Benchmark;

std::optional<bench::display::DisplayKind> displayKind(Benchmark benchmark)
{
    if (benchmark == Benchmark::Display2D)
        return bench::display::DisplayKind::TwoD;
    if (benchmark == Benchmark::Display3D)
        return bench::display::DisplayKind::ThreeD;
    return std::nullopt;
}

std::vector<std::string> referenceFamilyNames(Benchmark benchmark)
{
    std::vector<std::string> names;
    if (benchmark == Benchmark::Cpu) {
        for (const bench::CpuFamily family : bench::kCpuFamilies)
            names.push_back(bench::cpuFamilyWord(family).toStdString());
    } else if (benchmark == Benchmark::Disk) {
        names.emplace_back("Drive classes");
    } else if (displayKind(benchmark)) {
        names.emplace_back("Measured configurations");
    } else if (benchmark == Benchmark::Overall) {
        names.emplace_back("Baselines");
    } else {
        for (const bench::MemoryFamily family : bench::kMemoryFamilies)
            names.push_back(bench::memoryFamilyWord(family).toStdString());
    }
    return names;
}

int chartFamilyFor(Benchmark benchmark, const results::Figures& figures)
{
    if (benchmark == Benchmark::Disk || benchmark == Benchmark::Overall || displayKind(benchmark))
        return 0;
    const auto first = std::int32_t(
        results::figureValue(figures, benchmark == Benchmark::Cpu ? "GeneralIndex" : "MemoryIndex"));
    return benchmark == Benchmark::Cpu ? int(bench::cpuFamilyForIndex(first))
                                       : int(bench::memoryFamilyForIndex(first));
}

std::vector<bench::ReferenceRow> referenceRows(Benchmark benchmark, int family, std::string_view index)
{
    if (benchmark == Benchmark::Mem)
        return bench::memoryReferenceRows(bench::kMemoryFamilies[std::size_t(family)]);
    if (benchmark == Benchmark::Disk) {
        std::vector<bench::ReferenceRow> rows;
        for (const bench::disk::DiskReference& drive : bench::disk::diskReferences()) {
            rows.push_back({int(rows.size()) + 1,
                            QString::fromUtf8(drive.label.data(), qsizetype(drive.label.size())),
                            std::int32_t(std::lround(bench::disk::diskIndex(drive.rates)))});
        }
        return rows;
    }
    if (const auto kind = displayKind(benchmark)) {
        std::vector<bench::ReferenceRow> rows;
        for (const bench::display::DisplayReference& measured : bench::display::displayReferences(*kind)) {
            rows.push_back({int(rows.size()) + 1,
                            QString::fromUtf8(measured.label.data(), qsizetype(measured.label.size())),
                            std::int32_t(std::lround(bench::display::displayIndex(*kind, measured.rates)))});
        }
        return rows;
    }
    if (benchmark == Benchmark::Overall) {
        for (const bench::overall::IndexBaseline& row : bench::overall::indexBaselines()) {
            if (row.index == index)
                return {{1, QString::fromUtf8(row.baseline.data(), qsizetype(row.baseline.size())),
                         std::int32_t(row.baselineScore)}};
        }
        return {
            {1, QStringLiteral("Every benchmark's baseline"), std::int32_t(bench::overall::kBaselineIndex)}};
    }
    const bench::CpuChart chart = index == "AluIndex"   ? bench::CpuChart::Alu
                                  : index == "FpuIndex" ? bench::CpuChart::Fpu
                                                        : bench::CpuChart::General;
    return bench::cpuReferenceRows(bench::kCpuFamilies[std::size_t(family)], chart);
}

} // namespace qv::cli

#pragma once

#include "bench/Rating.h"
#include "bench/ReferenceRow.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qv::bench {

// The five reference families of the memory comparison chart, in the order of their tables.
enum class MemoryFamily { I486, Pentium, PentiumII, PentiumIII4, DuronAthlon };
inline constexpr std::array kMemoryFamilies{MemoryFamily::I486, MemoryFamily::Pentium,
                                            MemoryFamily::PentiumII, MemoryFamily::PentiumIII4,
                                            MemoryFamily::DuronAthlon};

// The family's reference rows in the order they are added (equal labels stay separate rows).
const std::vector<ReferenceRow>& memoryReferenceRows(MemoryFamily family);
// "486", "Pentium III / 4", ...
QString memoryFamilyWord(MemoryFamily family);

// The title above the chart, e.g. "Performances of your memory subsystem (RAM/cache/bus) compared to
// 486 machines".
QString memoryFamilyTitle(MemoryFamily family);

QString memoryUserLabel();
QString memoryAxisTitle();

// The family shown first for a memory index (never Duron / Athlon).
MemoryFamily memoryFamilyForIndex(std::int32_t userIndex);
// Stars and verdict for a memory index.
Rating memoryRating(std::int32_t userIndex);

} // namespace qv::bench

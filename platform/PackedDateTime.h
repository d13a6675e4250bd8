#pragma once

#include <QDateTime>

#include <cstdint>
#include <optional>

namespace qv::platform {

// The file system's packed 32-bit date-time: bits 25-31 year - 1980, 21-24 month, 16-20 day, 11-15 hours,
// 5-10 minutes, 0-4 seconds / 2. It carries no zone: it reads as local time.

// The local date-time of a packed value; empty when its date or time is not a valid one.
std::optional<QDateTime> decodePackedDateTime(std::uint32_t packed);

// The packed form of a local date-time (odd seconds round down); empty outside 1980-2107.
std::optional<std::uint32_t> encodePackedDateTime(const QDateTime& local);

} // namespace qv::platform

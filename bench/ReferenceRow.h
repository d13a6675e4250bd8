#pragma once

#include <QString>

#include <cstdint>

namespace qv::bench {

// One reference machine on a comparison chart: its bar position (1 at the bottom), label and index.
struct ReferenceRow {
    int position = 0;
    QString label;
    std::int32_t index = 0;

    bool operator==(const ReferenceRow&) const = default;
};

} // namespace qv::bench

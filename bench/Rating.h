#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>

namespace qv::bench {

// Stars picture (0 to 4) and verdict text for an index.
struct Rating {
    int stars = 0;
    QString verdict;

    bool operator==(const Rating&) const = default;
};

// One row of a rating table: indices above `above` earn `stars` and `verdict`.
struct RatingThreshold {
    std::int32_t above;
    int stars;
    const char* verdict;
};

// The first row of `table` (ordered from the highest threshold) whose threshold the index exceeds;
// no star and an empty verdict when none does.
Rating rateIndex(std::initializer_list<RatingThreshold> table, std::int32_t index);

} // namespace qv::bench

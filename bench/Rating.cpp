#include "bench/Rating.h"

namespace qv::bench {

Rating rateIndex(std::initializer_list<RatingThreshold> table, std::int32_t index)
{
    for (const RatingThreshold& row : table) {
        if (index > row.above)
            return {row.stars, QString::fromUtf8(row.verdict)};
    }
    return {};
}

} // namespace qv::bench

#include "stress/StressError.h"

#include <cstdio>

namespace qv::stress {

std::string describe(const StressError& error)
{
    const std::string who =
        error.worker < 0 ? std::string("memory") : "worker " + std::to_string(error.worker);
    char place[96];
    std::snprintf(place, sizeof place, "%s 0x%llx: expected 0x%016llx, found 0x%016llx",
                  error.worker < 0 ? "address" : "offset", static_cast<unsigned long long>(error.address),
                  static_cast<unsigned long long>(error.expected),
                  static_cast<unsigned long long>(error.found));
    return who + ", " + error.where + ", " + place;
}

void ErrorLog::add(StressError error)
{
    m_count.fetch_add(1, std::memory_order_relaxed);
    const std::lock_guard lock(m_mutex);
    if (m_first.size() < kKept)
        m_first.push_back(std::move(error));
}

std::vector<StressError> ErrorLog::first() const
{
    const std::lock_guard lock(m_mutex);
    return m_first;
}

} // namespace qv::stress

#pragma once

#include "bench/KernelClock.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace qv::test {

// A kernel clock that returns the given readings in order, so that rates come out exactly.
class ScriptedClock final : public bench::KernelClock {
public:
    explicit ScriptedClock(std::vector<double> readings)
        : m_readings(std::move(readings))
    {
    }

    double nowMs() override
    {
        if (m_next >= m_readings.size()) {
            ADD_FAILURE() << "the kernel read the clock more often than scripted";
            return m_readings.empty() ? 0 : m_readings.back();
        }
        return m_readings[m_next++];
    }

    std::size_t reads() const { return m_next; }

private:
    std::vector<double> m_readings;
    std::size_t m_next = 0;
};

// A clock that never moves.
class StoppedClock final : public bench::KernelClock {
public:
    double nowMs() override { return 42; }
};

} // namespace qv::test

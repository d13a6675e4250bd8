#pragma once

#include "bench/display/DisplayBench.h"
#include "tests/display/XvfbServer.h"

#include <gtest/gtest.h>

#include <optional>

namespace qv::test {

// The test binary's own X server (nullptr while tests are only listed).
const XvfbServer* xvfbServer();

// Tests that need the X server: skipped, with the reason, where it could not be started.
class OnXvfb : public testing::Test {
protected:
    void SetUp() override;
};

// Runs a benchmark to its end in the event loop; nullopt with `failure` set when it fails.
std::optional<bench::display::DisplayResult> runToEnd(bench::display::DisplayBench& bench,
                                                      const bench::display::DisplaySettings& settings,
                                                      std::string* failure = nullptr);

// The share of a frame's pixels that show the scene's ink (alone or blended with the background), and the
// share that are neither the ink, the background nor a blend of the two.
struct InkShares {
    double inked = 0;
    double foreign = 0;
};
InkShares inkShares(const bench::display::Frame& frame, std::uint32_t background, std::uint32_t ink);

} // namespace qv::test

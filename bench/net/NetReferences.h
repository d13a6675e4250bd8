#pragma once

#include <string_view>
#include <vector>

namespace qv::bench::net {

// The TCP throughput a class of link typically gives, download and upload, in Mbit/s, and a round trip
// time, from the links' standards and published measurements (see docs/network-benchmarks.md); never
// measured here.
struct LinkReference {
    std::string_view label;
    double downloadMbps = 0;
    double uploadMbps = 0;
    double roundTripMs = 0;
};
const std::vector<LinkReference>& linkReferences();

} // namespace qv::bench::net

#pragma once

#include <string_view>
#include <vector>

namespace qv::bench::net {

// The TCP throughput a class of link typically gives, download and upload, in Mbit/s, worked out from the
// links' standards (see docs/network-benchmarks.md); never measured here.
struct LinkReference {
    std::string_view label;
    double downloadMbps = 0;
    double uploadMbps = 0;
};
const std::vector<LinkReference>& linkReferences();

} // namespace qv::bench::net

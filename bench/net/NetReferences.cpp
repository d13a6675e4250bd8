#include "bench/net/NetReferences.h"

namespace qv::bench::net {

const std::vector<LinkReference>& linkReferences()
{
    static const std::vector<LinkReference> kReferences{
        {"ADSL2+", 20, 1},
        {"VDSL2", 95, 38},
        {"Wi-Fi 4 (802.11n)", 110, 100},
        {"Ethernet 100 Mbit/s", 94.1, 94.1},
        {"Wi-Fi 5 (802.11ac)", 430, 380},
        {"Wi-Fi 6 (802.11ax)", 700, 600},
        {"Fibre (GPON, 1 Gbit/s)", 920, 500},
        {"Ethernet 1 Gbit/s", 941, 941},
    };
    return kReferences;
}

} // namespace qv::bench::net

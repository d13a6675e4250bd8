#pragma once

#include "hardware/tree/MachineTree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::hardware {

// An address of an interface with its prefix length: "192.168.1.20/24", "fe80::1/64".
struct InterfaceAddress {
    std::string address;
    int prefix = 0;
    bool operator==(const InterfaceAddress&) const = default;
};

struct NetworkInterface {
    std::string name;               // "enp3s0"
    std::string kind;               // "wired", "wireless", "virtual", "loopback"
    std::optional<std::string> mac; // "3c:7c:3f:0a:11:22"; nothing for loopback and tunnels
    std::vector<InterfaceAddress> ipv4;
    std::vector<InterfaceAddress> ipv6;
    std::optional<std::string> state; // the kernel's operational state: "up", "down", "dormant"
    std::optional<int> mtu;
    std::optional<int> speedMbps; // where the driver reports it
    std::optional<std::string> duplex;
    std::optional<std::string> driver;
};

struct NetworkFacts {
    std::optional<std::string> login;
    std::optional<std::string> fullName;
    std::optional<std::string> hostName;
    std::optional<std::string> workgroup;
    std::optional<std::string> dnsDomain;
    std::vector<NetworkInterface> interfaces; // by name, loopback last
    std::optional<std::string> ipv4Gateway;
    std::optional<std::string> ipv6Gateway;
    std::vector<std::string> nameServers;
    std::vector<std::string> notes;
};

namespace network_notes {
inline constexpr const char* kNoWorkgroup = "No NetBIOS workgroup answered within a second";
inline constexpr const char* kWorkgroupNotAsked = "The NetBIOS workgroup was not asked for";
inline constexpr const char* kNoAddresses = "The interfaces' addresses are not known";
} // namespace network_notes

// /sys/class/net, /proc/net/route and ipv6_route, /etc/resolv.conf, and the facts "identity",
// "addresses" and (with `askWorkgroup`) "workgroup" of the tree. Nothing is sent on the network but the
// local NetBIOS workgroup query (platform::netbiosWorkgroup, 1 s at most).
NetworkFacts collectNetwork(const MachineTree& tree = installedMachineTree(), bool askWorkgroup = true);

// The NetBIOS workgroup (the tree's fact "workgroup"): on the live machine a local query of 1 s at most.
std::optional<std::string> collectWorkgroup(const MachineTree& tree = installedMachineTree());

// "00000000 0101A8C0" style route tables: the default gateway, nothing without one.
std::optional<std::string> ipv4DefaultGateway(std::string_view routeTable);
std::optional<std::string> ipv6DefaultGateway(std::string_view routeTable);

} // namespace qv::hardware

#include "hardware/NetworkCollector.h"

#include "platform/NetworkNeighbourhood.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>
#include <utility>

namespace qv::hardware {

namespace {

constexpr std::size_t kAttributeLimit = 256;
constexpr std::size_t kTableLimit = std::size_t(256) * 1024;

std::vector<std::string> words(std::string_view line)
{
    std::vector<std::string> out;
    std::istringstream in{std::string(line)};
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        out.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return out;
}

std::optional<std::string> attribute(const MachineTree& tree, const std::string& path)
{
    auto text = tree.read(path, kAttributeLimit);
    if (!text)
        return std::nullopt;
    while (!text->empty() && (text->back() == '\n' || text->back() == ' '))
        text->pop_back();
    if (text->empty())
        return std::nullopt;
    return text;
}

std::optional<int> whole(const std::optional<std::string>& text)
{
    int value = 0;
    if (!text || std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc())
        return std::nullopt;
    return value;
}

std::string liveIdentityText()
{
    std::string login;
    std::string fullName;
    if (const passwd* user = ::getpwuid(::getuid())) {
        login = user->pw_name ? user->pw_name : "";
        // The comment field's first part is the full name: "Ada Lovelace,,,".
        const std::string gecos = user->pw_gecos ? user->pw_gecos : "";
        fullName = gecos.substr(0, gecos.find(','));
    }
    std::array<char, 256> host{};
    if (::gethostname(host.data(), host.size() - 1) != 0)
        host[0] = '\0';
    return login + '\t' + fullName + '\t' + host.data();
}

// One "NAME<TAB>ADDRESS/PREFIX" line per IPv4 and IPv6 address of this machine.
std::optional<std::string> liveAddressesText()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return std::nullopt;
    std::string text;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || !entry->ifa_netmask)
            continue;
        const int family = entry->ifa_addr->sa_family;
        std::array<char, INET6_ADDRSTRLEN> address{};
        int prefix = 0;
        if (family == AF_INET) {
            ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr,
                        address.data(), address.size());
            prefix =
                __builtin_popcount(reinterpret_cast<const sockaddr_in*>(entry->ifa_netmask)->sin_addr.s_addr);
        } else if (family == AF_INET6) {
            ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(entry->ifa_addr)->sin6_addr,
                        address.data(), address.size());
            for (unsigned char byte :
                 reinterpret_cast<const sockaddr_in6*>(entry->ifa_netmask)->sin6_addr.s6_addr)
                prefix += __builtin_popcount(byte);
        } else {
            continue;
        }
        text += std::string(entry->ifa_name) + '\t' + address.data() + '/' + std::to_string(prefix) + '\n';
    }
    ::freeifaddrs(list);
    return text;
}

void addAddresses(std::vector<NetworkInterface>& interfaces, std::string_view text)
{
    for (std::string_view line : lines(text)) {
        const std::size_t tab = line.find('\t');
        const std::size_t slash = line.rfind('/');
        if (tab == std::string_view::npos || slash == std::string_view::npos || slash < tab)
            continue;
        const std::string name(line.substr(0, tab));
        InterfaceAddress address{std::string(line.substr(tab + 1, slash - tab - 1)),
                                 whole(std::string(line.substr(slash + 1))).value_or(0)};
        const auto found = std::ranges::find(interfaces, name, &NetworkInterface::name);
        if (found == interfaces.end())
            continue;
        (address.address.find(':') == std::string::npos ? found->ipv4 : found->ipv6)
            .push_back(std::move(address));
    }
}

NetworkInterface interfaceOf(const MachineTree& tree, const std::string& name)
{
    const std::string folder = "/sys/class/net/" + name;
    NetworkInterface interface;
    interface.name = name;
    // ARPHRD_LOOPBACK; a device link marks hardware, wireless a wireless device.
    const bool loopback = attribute(tree, folder + "/type") == "772";
    if (loopback)
        interface.kind = "loopback";
    else if (tree.exists(folder + "/wireless") || tree.exists(folder + "/phy80211"))
        interface.kind = "wireless";
    else if (tree.exists(folder + "/device"))
        interface.kind = "wired";
    else
        interface.kind = "virtual";
    const auto mac = attribute(tree, folder + "/address");
    if (!loopback && mac && *mac != "00:00:00:00:00:00")
        interface.mac = mac;
    interface.state = attribute(tree, folder + "/operstate");
    interface.mtu = whole(attribute(tree, folder + "/mtu"));
    // Drivers that do not know the link speed answer -1 or refuse the read.
    if (const auto speed = whole(attribute(tree, folder + "/speed")); speed && *speed > 0)
        interface.speedMbps = speed;
    if (const auto duplex = attribute(tree, folder + "/duplex"); duplex && *duplex != "unknown")
        interface.duplex = duplex;
    if (const auto driver = tree.resolve(folder + "/device/driver"))
        interface.driver = driver->substr(driver->rfind('/') + 1);
    return interface;
}

// resolv.conf: the name servers, and the domain ("domain", else the first "search" entry).
void readResolverConfiguration(const MachineTree& tree, NetworkFacts& facts)
{
    const auto text = tree.read("/etc/resolv.conf", kTableLimit);
    if (!text)
        return;
    std::optional<std::string> search;
    for (std::string_view line : lines(*text)) {
        const std::vector<std::string> w = words(line);
        if (w.size() < 2)
            continue;
        if (w[0] == "nameserver")
            facts.nameServers.push_back(w[1]);
        else if (w[0] == "domain")
            facts.dnsDomain = w[1];
        else if (w[0] == "search" && !search)
            search = w[1];
    }
    if (!facts.dnsDomain && search && *search != ".")
        facts.dnsDomain = search;
}

std::optional<std::string> nonEmpty(std::string text)
{
    return text.empty() ? std::nullopt : std::optional(std::move(text));
}

} // namespace

std::optional<std::string> ipv4DefaultGateway(std::string_view routeTable)
{
    constexpr unsigned kGatewayFlag = 0x2;
    for (std::string_view line : lines(routeTable)) {
        const std::vector<std::string> w = words(line);
        unsigned flags = 0;
        std::uint32_t gateway = 0;
        if (w.size() < 4 || w[1] != "00000000" ||
            std::from_chars(w[3].data(), w[3].data() + w[3].size(), flags, 16).ec != std::errc() ||
            !(flags & kGatewayFlag) ||
            std::from_chars(w[2].data(), w[2].data() + w[2].size(), gateway, 16).ec != std::errc())
            continue;
        // The kernel writes the address in the machine's byte order, which is the network's reversed here.
        std::array<char, INET_ADDRSTRLEN> text{};
        in_addr address{};
        address.s_addr = gateway;
        ::inet_ntop(AF_INET, &address, text.data(), text.size());
        return std::string(text.data());
    }
    return std::nullopt;
}

std::optional<std::string> ipv6DefaultGateway(std::string_view routeTable)
{
    const std::string zero(32, '0');
    for (std::string_view line : lines(routeTable)) {
        const std::vector<std::string> w = words(line);
        if (w.size() < 10 || w[0] != zero || w[1] != "00" || w[4] == zero || w[4].size() != 32)
            continue;
        in6_addr address{};
        for (std::size_t i = 0; i < 16; ++i)
            std::from_chars(w[4].data() + 2 * i, w[4].data() + 2 * i + 2, address.s6_addr[i], 16);
        std::array<char, INET6_ADDRSTRLEN> text{};
        ::inet_ntop(AF_INET6, &address, text.data(), text.size());
        return std::string(text.data());
    }
    return std::nullopt;
}

std::optional<std::string> collectWorkgroup(const MachineTree& tree)
{
    return tree.fact("workgroup", []() -> std::optional<std::string> {
        const auto name = platform::netbiosWorkgroup();
        if (!name)
            return std::nullopt;
        // The name is padded to 15 bytes; inner blanks are no part of it either.
        std::string text = name->toStdString();
        std::erase(text, ' ');
        return nonEmpty(std::move(text));
    });
}

NetworkFacts collectNetwork(const MachineTree& tree, bool askWorkgroup)
{
    NetworkFacts facts;
    if (const auto identity = tree.fact("identity", [] { return std::optional(liveIdentityText()); })) {
        std::istringstream in(*identity);
        std::string login, fullName, host;
        std::getline(in, login, '\t');
        std::getline(in, fullName, '\t');
        std::getline(in, host, '\t');
        facts.login = nonEmpty(login);
        facts.fullName = nonEmpty(fullName);
        facts.hostName = nonEmpty(host);
    }
    if (askWorkgroup) {
        facts.workgroup = collectWorkgroup(tree);
        if (!facts.workgroup)
            facts.notes.emplace_back(network_notes::kNoWorkgroup);
    } else {
        facts.notes.emplace_back(network_notes::kWorkgroupNotAsked);
    }
    readResolverConfiguration(tree, facts);

    for (const std::string& name : tree.list("/sys/class/net")) {
        if (tree.exists("/sys/class/net/" + name + "/type"))
            facts.interfaces.push_back(interfaceOf(tree, name));
    }
    // By name, loopback last.
    std::ranges::sort(facts.interfaces, [](const NetworkInterface& a, const NetworkInterface& b) {
        return std::make_pair(a.kind == "loopback", a.name) < std::make_pair(b.kind == "loopback", b.name);
    });
    if (const auto addresses = tree.fact("addresses", liveAddressesText))
        addAddresses(facts.interfaces, *addresses);
    else
        facts.notes.emplace_back(network_notes::kNoAddresses);

    if (const auto route = tree.read("/proc/net/route", kTableLimit))
        facts.ipv4Gateway = ipv4DefaultGateway(*route);
    if (const auto route = tree.read("/proc/net/ipv6_route", kTableLimit))
        facts.ipv6Gateway = ipv6DefaultGateway(*route);
    return facts;
}

} // namespace qv::hardware

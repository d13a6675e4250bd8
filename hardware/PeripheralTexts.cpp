#include "hardware/PeripheralTexts.h"

#include <array>
#include <cstdio>
#include <numeric>

namespace qv::hardware {

namespace {

std::string orUnknown(const std::optional<std::string>& text)
{
    return text ? *text : kUnknownText;
}

std::string decimalText(double value, int decimals)
{
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return text.data();
}

std::string hertzText(int milliHertz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f Hz", milliHertz / 1000.0);
    return text;
}

} // namespace

std::string monitorText(const Monitor& monitor)
{
    const Edid& edid = monitor.edid;
    std::string text = monitor.manufacturer.value_or(edid.manufacturerId);
    text += ' ' + edid.name.value_or("model " + std::to_string(edid.productCode));
    if (edid.widthCm > 0)
        text += ", " + std::to_string(edid.widthCm) + " \xC3\x97 " + std::to_string(edid.heightCm) + " cm";
    if (edid.preferredMode)
        text += ", " + std::to_string(edid.preferredMode->width) + " \xC3\x97 " +
                std::to_string(edid.preferredMode->height) + " at " +
                hertzText(edid.preferredMode->refreshMilliHertz);
    return text;
}

std::string addressesText(const NetworkInterface& interface)
{
    std::string text;
    for (const auto* list : {&interface.ipv4, &interface.ipv6}) {
        for (const InterfaceAddress& address : *list)
            text += (text.empty() ? "" : ", ") + address.address + '/' + std::to_string(address.prefix);
    }
    return text.empty() ? "none" : text;
}

const std::vector<std::string>& adapterColumns()
{
    static const std::vector<std::string> columns{"Adapter", "Driver", "Revision", "Memory", "Address"};
    return columns;
}

std::vector<std::string> adapterRow(const DisplayAdapter& adapter)
{
    return {adapter.name, orUnknown(adapter.driver),
            adapter.revision ? std::to_string(*adapter.revision) : kUnknownText,
            adapter.memory ? sizeText(*adapter.memory) : "Shared", adapter.address};
}

const std::vector<std::string>& connectorColumns()
{
    static const std::vector<std::string> columns{"Connector", "Status", "Monitor", "Made", "Serial number"};
    return columns;
}

std::vector<std::string> connectorRow(const DisplayConnector& connector)
{
    // "card1-DP-1" is shown as the connector's own name, "DP-1".
    const std::size_t dash = connector.name.find('-');
    std::vector<std::string> row{dash == std::string::npos ? connector.name : connector.name.substr(dash + 1),
                                 orUnknown(connector.status), "", "", ""};
    if (connector.monitor) {
        const Edid& edid = connector.monitor->edid;
        row[2] = monitorText(*connector.monitor) + (edid.badChecksumBlocks.empty() ? "" : " (damaged EDID)");
        row[3] = edid.modelYear ? "model year " + std::to_string(edid.year)
                 : edid.week    ? "week " + std::to_string(*edid.week) + " of " + std::to_string(edid.year)
                                : std::to_string(edid.year);
        row[4] = edid.serialText     ? *edid.serialText
                 : edid.serialNumber ? std::to_string(*edid.serialNumber)
                                     : "";
    }
    return row;
}

const std::vector<std::string>& screenColumns()
{
    static const std::vector<std::string> columns{"Screen", "Size",          "Refresh rate",
                                                  "Depth",  "Dots per inch", "Scale"};
    return columns;
}

std::vector<std::string> screenRow(const ScreenFacts& screen)
{
    return {screen.name,
            std::to_string(screen.width) + " \xC3\x97 " + std::to_string(screen.height),
            decimalText(screen.refreshHertz, 2) + " Hz",
            std::to_string(screen.depth) + " bits",
            decimalText(screen.dotsPerInch, 0),
            decimalText(screen.scale, 2)};
}

std::vector<FactLine> openGlLines(const OpenGlFacts& openGl)
{
    return {{"Vendor", openGl.vendor}, {"Renderer", openGl.renderer}, {"Version", openGl.version}};
}

std::vector<FactLine> networkIdentityLines(const NetworkFacts& facts)
{
    std::string servers;
    for (const std::string& server : facts.nameServers)
        servers += (servers.empty() ? "" : ", ") + server;
    return {{"Login", orUnknown(facts.login)},
            {"User", orUnknown(facts.fullName)},
            {"Host name", orUnknown(facts.hostName)},
            {"Workgroup", orUnknown(facts.workgroup)},
            {"Domain", facts.dnsDomain.value_or("None")},
            {"Gateway", facts.ipv4Gateway.value_or("None")},
            {"IPv6 gateway", facts.ipv6Gateway.value_or("None")},
            {"Name servers", servers.empty() ? "None" : servers}};
}

const std::vector<std::string>& interfaceColumns()
{
    static const std::vector<std::string> columns{"Interface",   "Kind",  "State", "Addresses",
                                                  "MAC address", "Speed", "MTU",   "Driver"};
    return columns;
}

std::vector<std::string> interfaceRow(const NetworkInterface& interface)
{
    std::string speed;
    if (interface.speedMbps)
        speed = std::to_string(*interface.speedMbps) + " Mbit/s" +
                (interface.duplex ? ", " + *interface.duplex : "");
    return {interface.name,
            interface.kind,
            orUnknown(interface.state),
            addressesText(interface),
            interface.mac.value_or(""),
            speed,
            interface.mtu ? std::to_string(*interface.mtu) : "",
            interface.driver.value_or("")};
}

const std::vector<std::string>& packageColumns()
{
    static const std::vector<std::string> columns{"Package", "Version", "Architecture",
                                                  "Size",    "Section", "Summary"};
    return columns;
}

std::vector<std::string> packageRow(const InstalledPackage& package)
{
    return {package.name,
            package.version,
            package.architecture,
            package.installedSize ? sizeText(*package.installedSize) : "",
            package.section.value_or(""),
            package.summary};
}

const std::vector<std::string>& desktopColumns()
{
    static const std::vector<std::string> columns{"Application", "Comment", "Package"};
    return columns;
}

std::vector<std::string> desktopRow(const DesktopApplication& application)
{
    return {application.name, application.comment.value_or(""),
            application.user ? "(your own)" : application.package.value_or("")};
}

std::uint64_t installedTotal(const std::vector<InstalledPackage>& packages)
{
    return std::accumulate(
        packages.begin(), packages.end(), std::uint64_t(0),
        [](std::uint64_t sum, const InstalledPackage& p) { return sum + p.installedSize.value_or(0); });
}

std::string packagesTotalText(const std::vector<InstalledPackage>& packages)
{
    const std::uint64_t total = installedTotal(packages);
    return std::to_string(packages.size()) + (packages.size() == 1 ? " package, " : " packages, ") +
           sizeText(total) + " installed";
}

} // namespace qv::hardware

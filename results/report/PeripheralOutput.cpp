#include "results/report/PeripheralOutput.h"

#include "hardware/PeripheralTexts.h"
#include "results/report/BoardOutput.h"
#include "results/report/DrivesOutput.h"
#include "results/report/FactOutput.h"
#include "results/report/MemoryOutput.h"

#include <array>
#include <cstdio>
#include <ostream>

namespace qv::cli {

using results::JsonArray;
using results::JsonObject;
using results::JsonValue;

namespace {

std::string hex4(unsigned value)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%04x", value);
    return text.data();
}

JsonArray intArray(const std::vector<int>& values)
{
    JsonArray array;
    for (int value : values)
        array.add(value);
    return array;
}

JsonValue monitorJson(const std::optional<hardware::Monitor>& monitor)
{
    if (!monitor)
        return nullptr;
    const hardware::Edid& edid = monitor->edid;
    JsonValue mode = nullptr;
    if (edid.preferredMode)
        mode = JsonObject()
                   .add("Width", edid.preferredMode->width)
                   .add("Height", edid.preferredMode->height)
                   .add("RefreshRate", edid.preferredMode->refreshMilliHertz / 1000.0)
                   .add("Interlaced", edid.preferredMode->interlaced);
    return JsonObject()
        .add("ManufacturerId", edid.manufacturerId)
        .add("Manufacturer", orNull(monitor->manufacturer))
        .add("Model", orNull(edid.name))
        .add("ProductCode", int(edid.productCode))
        .add("SerialNumber", edid.serialText     ? JsonValue(*edid.serialText)
                             : edid.serialNumber ? JsonValue(std::to_string(*edid.serialNumber))
                                                 : JsonValue(nullptr))
        .add("Week", orNull(edid.week))
        .add("Year", edid.year)
        .add("ModelYear", edid.modelYear)
        .add("WidthCm", edid.widthCm > 0 ? JsonValue(edid.widthCm) : JsonValue(nullptr))
        .add("HeightCm", edid.heightCm > 0 ? JsonValue(edid.heightCm) : JsonValue(nullptr))
        .add("PreferredMode", mode)
        .add("EdidVersion", std::to_string(edid.version) + '.' + std::to_string(edid.revision))
        .add("EdidBlocks", edid.blocksRead)
        .add("BadChecksumBlocks", intArray(edid.badChecksumBlocks));
}

JsonArray addressesJson(const std::vector<hardware::InterfaceAddress>& addresses)
{
    JsonArray array;
    for (const hardware::InterfaceAddress& address : addresses)
        array.add(JsonObject().add("Address", address.address).add("Prefix", address.prefix));
    return array;
}

void writeNotes(std::ostream& out, const std::vector<std::string>& notes)
{
    for (const std::string& note : notes)
        out << "Note: " << note << '\n';
}

} // namespace

JsonObject videoJson(const hardware::VideoFacts& facts)
{
    JsonArray adapters;
    for (const hardware::DisplayAdapter& adapter : facts.adapters)
        adapters.add(JsonObject()
                         .add("Address", adapter.address)
                         .add("VendorId", hex4(adapter.id.vendor))
                         .add("DeviceId", hex4(adapter.id.device))
                         .add("Name", adapter.name)
                         .add("Revision", orNull(adapter.revision))
                         .add("Driver", orNull(adapter.driver))
                         .add("Memory", orNull(adapter.memory)));
    JsonArray connectors;
    for (const hardware::DisplayConnector& connector : facts.connectors)
        connectors.add(JsonObject()
                           .add("Name", connector.name)
                           .add("Status", orNull(connector.status))
                           .add("Enabled", orNull(connector.enabled))
                           .add("Monitor", monitorJson(connector.monitor)));
    JsonValue screens = nullptr;
    if (facts.screens) {
        JsonArray list;
        for (const hardware::ScreenFacts& screen : *facts.screens)
            list.add(JsonObject()
                         .add("Name", screen.name)
                         .add("Width", screen.width)
                         .add("Height", screen.height)
                         .add("RefreshRate", screen.refreshHertz)
                         .add("Depth", screen.depth)
                         .add("DotsPerInch", screen.dotsPerInch)
                         .add("Scale", screen.scale));
        screens = list;
    }
    JsonValue openGl = nullptr;
    if (facts.openGl)
        openGl = JsonObject()
                     .add("Vendor", facts.openGl->vendor)
                     .add("Renderer", facts.openGl->renderer)
                     .add("Version", facts.openGl->version);
    return JsonObject()
        .add("Adapters", adapters)
        .add("Connectors", connectors)
        .add("Screens", screens)
        .add("OpenGL", openGl)
        .add("Notes", results::textArray(facts.notes));
}

void writeVideoText(std::ostream& out, const hardware::VideoFacts& facts)
{
    for (const hardware::DisplayAdapter& adapter : facts.adapters) {
        out << "Adapter    " << adapter.address << "  " << visibleText(adapter.name) << ", driver "
            << shownText(adapter.driver);
        if (adapter.memory)
            out << ", " << sizeText(*adapter.memory);
        out << '\n';
    }
    for (const hardware::DisplayConnector& connector : facts.connectors) {
        out << "Connector  " << connector.name << "  " << shownText(connector.status);
        if (connector.monitor)
            out << ": " << visibleText(hardware::monitorText(*connector.monitor));
        out << '\n';
    }
    for (const hardware::ScreenFacts& screen : facts.screens.value_or(std::vector<hardware::ScreenFacts>()))
        out << "Screen     " << visibleText(screen.name) << "  " << screen.width << " x " << screen.height
            << ", " << screen.refreshHertz << " Hz, " << screen.depth << " bits, " << screen.dotsPerInch
            << " dpi, scale " << screen.scale << '\n';
    if (facts.openGl)
        out << "OpenGL     " << visibleText(facts.openGl->vendor) << ", "
            << visibleText(facts.openGl->renderer) << ", " << visibleText(facts.openGl->version) << '\n';
    writeNotes(out, facts.notes);
}

JsonObject networkInfoJson(const hardware::NetworkFacts& facts)
{
    JsonArray interfaces;
    for (const hardware::NetworkInterface& interface : facts.interfaces)
        interfaces.add(JsonObject()
                           .add("Name", interface.name)
                           .add("Kind", interface.kind)
                           .add("MacAddress", orNull(interface.mac))
                           .add("IPv4", addressesJson(interface.ipv4))
                           .add("IPv6", addressesJson(interface.ipv6))
                           .add("State", orNull(interface.state))
                           .add("Mtu", orNull(interface.mtu))
                           .add("Speed", orNull(interface.speedMbps))
                           .add("Duplex", orNull(interface.duplex))
                           .add("Driver", orNull(interface.driver)));
    return JsonObject()
        .add("Login", orNull(facts.login))
        .add("FullName", orNull(facts.fullName))
        .add("HostName", orNull(facts.hostName))
        .add("Workgroup", orNull(facts.workgroup))
        .add("DnsDomain", orNull(facts.dnsDomain))
        .add("Interfaces", interfaces)
        .add("IPv4Gateway", orNull(facts.ipv4Gateway))
        .add("IPv6Gateway", orNull(facts.ipv6Gateway))
        .add("NameServers", results::textArray(facts.nameServers))
        .add("Notes", results::textArray(facts.notes));
}

void writeNetworkInfoText(std::ostream& out, const hardware::NetworkFacts& facts)
{
    out << "Login      " << shownText(facts.login) << " (" << shownText(facts.fullName) << ")\n"
        << "Host       " << shownText(facts.hostName) << ", domain " << shownText(facts.dnsDomain)
        << ", workgroup " << shownText(facts.workgroup) << '\n';
    for (const hardware::NetworkInterface& interface : facts.interfaces) {
        out << "Interface  " << interface.name << "  " << interface.kind << ", " << shownText(interface.state)
            << ", MAC " << shownText(interface.mac) << ", MTU "
            << (interface.mtu ? std::to_string(*interface.mtu) : "?");
        if (interface.speedMbps)
            out << ", " << *interface.speedMbps << " Mbit/s " << shownText(interface.duplex);
        out << ", driver " << shownText(interface.driver) << ": " << hardware::addressesText(interface)
            << '\n';
    }
    out << "Gateway    " << shownText(facts.ipv4Gateway) << ", " << shownText(facts.ipv6Gateway) << '\n';
    for (const std::string& server : facts.nameServers)
        out << "DNS        " << server << '\n';
    writeNotes(out, facts.notes);
}

JsonObject appsJson(const hardware::ApplicationsFacts& facts, bool withLists)
{
    JsonObject json;
    json.add("PackageCount", facts.packages.size())
        .add("InstalledSize", hardware::installedTotal(facts.packages))
        .add("DesktopApplicationCount", facts.desktopApplications.size());
    if (withLists) {
        JsonArray packages;
        for (const hardware::InstalledPackage& p : facts.packages)
            packages.add(JsonObject()
                             .add("Name", p.name)
                             .add("Version", p.version)
                             .add("Architecture", p.architecture)
                             .add("InstalledSize", orNull(p.installedSize))
                             .add("Section", orNull(p.section))
                             .add("Summary", p.summary));
        JsonArray desktop;
        for (const hardware::DesktopApplication& app : facts.desktopApplications)
            desktop.add(JsonObject()
                            .add("Name", app.name)
                            .add("Comment", orNull(app.comment))
                            .add("File", app.file)
                            .add("Package", orNull(app.package))
                            .add("User", app.user));
        json.add("Packages", packages).add("DesktopApplications", desktop);
    }
    return json.add("Notes", results::textArray(facts.notes));
}

void writeAppsText(std::ostream& out, const hardware::ApplicationsFacts& facts, bool withLists)
{
    out << facts.packages.size() << " packages, " << sizeText(hardware::installedTotal(facts.packages))
        << "; " << facts.desktopApplications.size() << " desktop applications\n";
    if (withLists) {
        for (const hardware::DesktopApplication& app : facts.desktopApplications)
            out << "Application  " << visibleText(app.name) << " (" << shownText(app.package) << ")\n";
        for (const hardware::InstalledPackage& p : facts.packages)
            out << "Package  " << visibleText(p.name) << ' ' << visibleText(p.version) << ' '
                << visibleText(p.architecture) << ", " << sizeOrUnknown(p.installedSize) << ": "
                << visibleText(p.summary) << '\n';
    }
    writeNotes(out, facts.notes);
}

JsonObject summaryJson(const hardware::SystemSummary& summary)
{
    return JsonObject()
        .add("Processor", JsonObject()
                              .add("Vendor", summary.processor.vendor)
                              .add("Name", summary.processor.name)
                              .add("Count", summary.processor.count))
        .add("Memory", memoryJson(summary.memory))
        .add("OperatingSystem", JsonObject()
                                    .add("Name", orNull(summary.system.name))
                                    .add("Kernel", orNull(summary.system.kernel)))
        .add("Board", boardJson(summary.board))
        .add("Video", videoJson(summary.video))
        .add("Drives", drivesJson(summary.drives))
        .add("Network", networkInfoJson(summary.network));
}

void writeSummaryText(std::ostream& out, const hardware::SystemSummary& summary)
{
    for (const hardware::SummaryPage& page : hardware::summaryPages(summary)) {
        out << '[' << page.title << "]\n";
        for (const hardware::FactLine& line : page.lines)
            out << "  " << line.label << (line.label.empty() ? "" : ": ") << visibleText(line.value) << '\n';
    }
}

} // namespace qv::cli

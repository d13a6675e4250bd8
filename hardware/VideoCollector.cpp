#include "hardware/VideoCollector.h"

#include <charconv>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

namespace qv::hardware {

namespace {

constexpr std::size_t kAttributeLimit = 64;
constexpr std::size_t kEdidLimit = std::size_t(32) * 1024;
constexpr std::uint32_t kDisplayClass = 0x03;
constexpr const char* kDisplayFactKey = "display";

std::mutex g_sourceLock;
DisplayFactsSource g_source;

DisplayFactsSource currentDisplaySource()
{
    const std::lock_guard guard(g_sourceLock);
    return g_source;
}

std::optional<std::string> trimmed(std::optional<std::string> text)
{
    if (!text)
        return std::nullopt;
    while (!text->empty() && (text->back() == '\n' || text->back() == ' '))
        text->pop_back();
    if (text->empty())
        return std::nullopt;
    return text;
}

std::optional<std::uint64_t> number(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end == text->data())
        return std::nullopt;
    return value;
}

std::string baseName(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

DisplayAdapter adapterOf(const MachineTree& tree, const PciDevice& device)
{
    const std::string folder = "/sys/bus/pci/devices/" + device.address;
    DisplayAdapter adapter{device.address,  device.id,    pciDeviceName(device.id, "Display controller"),
                           device.revision, std::nullopt, std::nullopt};
    if (const auto driver = tree.resolve(folder + "/driver"))
        adapter.driver = baseName(*driver);
    // amdgpu and radeon give the memory on the card; integrated graphics share the system's.
    adapter.memory = number(trimmed(tree.read(folder + "/mem_info_vram_total", kAttributeLimit)));
    return adapter;
}

DisplayConnector connectorOf(const MachineTree& tree, const std::string& name)
{
    const std::string folder = "/sys/class/drm/" + name;
    DisplayConnector connector{name, trimmed(tree.read(folder + "/status", kAttributeLimit)), std::nullopt,
                               std::nullopt};
    if (const auto enabled = trimmed(tree.read(folder + "/enabled", kAttributeLimit)))
        connector.enabled = *enabled == "enabled";
    if (const auto bytes = tree.read(folder + "/edid", kEdidLimit); bytes && !bytes->empty()) {
        if (auto edid = parseEdid(*bytes)) {
            const std::string id = edid->manufacturerId;
            connector.monitor = Monitor{std::move(*edid), pnpManufacturer(id)};
        }
    }
    return connector;
}

std::map<std::string, std::string, std::less<>> readPnpList()
{
    std::map<std::string, std::string, std::less<>> names;
    std::ifstream file("/usr/share/hwdata/pnp.ids");
    for (std::string line; std::getline(file, line);) {
        if (line.size() > 4 && line[3] == '\t')
            names.emplace(line.substr(0, 3), line.substr(4));
    }
    return names;
}

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

double decimal(const std::string& text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    return value;
}

} // namespace

DisplayFactsSource setDisplayFactsSource(DisplayFactsSource source)
{
    const std::lock_guard guard(g_sourceLock);
    std::swap(g_source, source);
    return source;
}

std::string displayFactsText(const DisplayFacts& facts)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    for (const ScreenFacts& s : facts.screens)
        out << "screen\t" << s.name << '\t' << s.width << '\t' << s.height << '\t' << s.refreshHertz << '\t'
            << s.depth << '\t' << s.dotsPerInch << '\t' << s.scale << '\n';
    if (facts.openGl)
        out << "opengl\t" << facts.openGl->vendor << '\t' << facts.openGl->renderer << '\t'
            << facts.openGl->version << '\n';
    return out.str();
}

std::optional<DisplayFacts> parseDisplayFacts(std::string_view text)
{
    DisplayFacts facts;
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> f = splitTabs(line);
        if (f.size() == 8 && f[0] == "screen")
            facts.screens.push_back({f[1], int(decimal(f[2])), int(decimal(f[3])), decimal(f[4]),
                                     int(decimal(f[5])), decimal(f[6]), decimal(f[7])});
        else if (f.size() == 4 && f[0] == "opengl")
            facts.openGl = OpenGlFacts{f[1], f[2], f[3]};
        else
            return std::nullopt;
    }
    return facts;
}

std::optional<std::string> pnpManufacturer(std::string_view id)
{
    static const auto names = readPnpList();
    const auto found = names.find(id);
    if (found == names.end())
        return std::nullopt;
    return found->second;
}

VideoFacts collectVideo(const MachineTree& tree, bool display)
{
    VideoFacts facts;
    for (const PciDevice& device : pciDevices(tree)) {
        if (device.deviceClass >> 16 == kDisplayClass)
            facts.adapters.push_back(adapterOf(tree, device));
    }
    if (facts.adapters.empty())
        facts.notes.emplace_back(video_notes::kNoAdapter);
    for (const std::string& name : tree.list("/sys/class/drm")) {
        // Connectors are "cardN-TYPE-M"; "cardN", "renderDN" and "version" are not.
        if (name.starts_with("card") && name.find('-') != std::string::npos)
            facts.connectors.push_back(connectorOf(tree, name));
    }
    for (const DisplayConnector& connector : facts.connectors) {
        if (connector.monitor && !connector.monitor->edid.badChecksumBlocks.empty()) {
            facts.notes.emplace_back(video_notes::kBadChecksum);
            break;
        }
    }
    if (!display)
        return facts;
    const auto text = tree.fact(kDisplayFactKey, []() -> std::optional<std::string> {
        const DisplayFactsSource source = currentDisplaySource();
        const auto live = source ? source() : std::nullopt;
        return live ? std::optional(displayFactsText(*live)) : std::nullopt;
    });
    const auto displayFacts = text ? parseDisplayFacts(*text) : std::nullopt;
    if (!displayFacts) {
        facts.notes.emplace_back(video_notes::kNoDisplay);
        return facts;
    }
    facts.screens = displayFacts->screens;
    facts.openGl = displayFacts->openGl;
    if (!facts.openGl)
        facts.notes.emplace_back(video_notes::kNoOpenGl);
    return facts;
}

} // namespace qv::hardware

#include "hardware/summary/SystemSummary.h"

#include "cpu/cxCPU2kVcl.h"

#include <sys/utsname.h>

namespace qv::hardware {

namespace {

std::optional<std::string> osReleaseName(const MachineTree& tree)
{
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        const auto text = tree.read(path, std::size_t(64) * 1024);
        if (!text)
            continue;
        const std::size_t at = text->starts_with("PRETTY_NAME=") ? 0 : text->find("\nPRETTY_NAME=");
        if (at == std::string::npos)
            continue;
        const std::size_t start = text->find('=', at) + 1;
        std::string value = text->substr(start, text->find('\n', start) - start);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\''))
            value = value.substr(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

std::string orUnknown(const std::optional<std::string>& text)
{
    return text ? *text : kUnknownText;
}

std::string lowerFirst(std::string text)
{
    if (!text.empty() && text.front() >= 'A' && text.front() <= 'Z')
        text.front() = char(text.front() - 'A' + 'a');
    return text;
}

std::vector<FactLine> memoryLines(const MemoryFacts& memory)
{
    std::vector<FactLine> lines = memorySummaryLines(memory);
    if (memory.memorySlots) {
        int filled = 0;
        for (const MemorySlot& slot : *memory.memorySlots)
            filled += slot.installed ? 1 : 0;
        lines.push_back({"Slots", std::to_string(filled) + " of " +
                                      std::to_string(memory.memorySlots->size()) + " in use"});
    }
    return lines;
}

std::vector<FactLine> videoLines(const VideoFacts& video)
{
    std::vector<FactLine> lines;
    lines.reserve(video.adapters.size() + video.connectors.size());
    for (const DisplayAdapter& adapter : video.adapters)
        lines.push_back({"Adapter", adapter.name + (adapter.driver ? " (" + *adapter.driver + ")" : "")});
    for (const DisplayConnector& connector : video.connectors) {
        if (connector.monitor)
            lines.push_back({"Monitor", monitorText(*connector.monitor)});
    }
    return lines;
}

std::vector<FactLine> networkLines(const NetworkFacts& network)
{
    std::vector<FactLine> lines = {{"Host name", orUnknown(network.hostName)},
                                   {"Login", orUnknown(network.login)},
                                   {"Domain", network.dnsDomain.value_or("None")}};
    for (const NetworkInterface& interface : network.interfaces) {
        if (interface.kind != "loopback")
            lines.push_back({interface.name, interface.kind + ", " + interface.state.value_or("unknown") +
                                                 ": " + addressesText(interface)});
    }
    lines.push_back({"Gateway", network.ipv4Gateway.value_or(network.ipv6Gateway.value_or("None"))});
    return lines;
}

} // namespace

ProcessorSummary summariseProcessor()
{
    cpu::TcxCPU2000 record;
    record.AutoBench().setEnabled(false);
    record.Loaded();
    // The brand string may carry zero characters and padding.
    return {record.Vendor().toStdString(), record.FullName().remove(QChar(0)).trimmed().toStdString(),
            record.Count(), record.InternalResults().Signature()};
}

SystemSummary collectSummary(const MachineTree& tree)
{
    SystemSummary summary;
    summary.processor = summariseProcessor();
    summary.memory = collectMemory(tree);
    summary.system.name = osReleaseName(tree);
    summary.system.kernel = tree.fact("kernel", []() -> std::optional<std::string> {
        utsname names{};
        return uname(&names) == 0 ? std::optional(std::string(names.release)) : std::nullopt;
    });
    summary.board = collectBoard(tree);
    summary.video = collectVideo(tree, false);
    summary.drives = collectDrives(tree);
    summary.network = collectNetwork(tree, false);
    return summary;
}

std::vector<SummaryPage> summaryPages(const SystemSummary& summary)
{
    std::vector<SummaryPage> pages;
    pages.push_back({"Processor",
                     {{"Name", summary.processor.name.empty() ? kUnknownText : summary.processor.name},
                      {"Vendor", summary.processor.vendor},
                      {"Processors", std::to_string(summary.processor.count)}}});
    pages.push_back({"Memory", memoryLines(summary.memory)});
    pages.push_back(
        {"Operating system",
         {{"Name", orUnknown(summary.system.name)}, {"Kernel", orUnknown(summary.system.kernel)}}});
    // The machine's and the board's lines share their labels ("Maker"): each says whose it is.
    std::vector<FactLine> board;
    for (const auto& [whose, lines] :
         {std::pair{"System ", systemLines(summary.board)}, std::pair{"Board ", boardLines(summary.board)}}) {
        for (const FactLine& line : lines)
            board.push_back({whose + lowerFirst(line.label), line.value});
    }
    pages.push_back({"Board", board});
    pages.push_back({"Video", videoLines(summary.video)});
    std::vector<FactLine> drives;
    drives.reserve(summary.drives.disks.size());
    for (const Drive& drive : summary.drives.disks)
        drives.push_back({drive.name, driveListText(drive)});
    pages.push_back({"Drives", drives});
    pages.push_back({"Network", networkLines(summary.network)});
    // What is missing is explained in the collectors' own words.
    const std::vector<std::string> noNotes;
    const std::vector<std::string>* notes[] = {&noNotes,
                                               &summary.memory.notes,
                                               &noNotes,
                                               &summary.board.notes,
                                               &summary.video.notes,
                                               &summary.drives.notes,
                                               &summary.network.notes};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        for (const std::string& note : *notes[i])
            pages[i].lines.push_back({"Note", note});
    }
    return pages;
}

} // namespace qv::hardware

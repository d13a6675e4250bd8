#include "tools/cli/NetCommands.h"

#include "net/Icmp.h"
#include "net/NetCheckTexts.h"
#include "net/WSocket.h"
#include "platform/NameResolver.h"
#include "platform/NetworkNeighbourhood.h"
#include "results/JsonWriter.h"
#include "results/report/Report.h"
#include "tools/cli/Application.h"
#include "tools/cli/ArgParser.h"
#include "tools/cli/Cli.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <ostream>

namespace qv::cli {

using results::JsonArray;
using results::JsonObject;
using results::JsonValue;
using results::writeJsonLine;

namespace {

constexpr std::int64_t kMaxTimeoutMs = 600'000;

// Runs the event loop until `finished` is true; it is when the lookup completed inside the call.
void waitFor(const bool& finished, QEventLoop& loop)
{
    if (!finished)
        loop.exec();
}

JsonArray jsonLines(const QStringList& lines)
{
    JsonArray array;
    for (const QString& line : lines)
        array.add(line.toStdString());
    return array;
}

void printLines(std::ostream& out, const QStringList& lines)
{
    for (const QString& line : lines)
        out << visibleText(line.toStdString()) << '\n';
}

ArgParser pingArguments()
{
    ArgParser parser;
    parser.integerOption("--size", "N", 0, 65535, "bytes of echo data (default 56; over 65,507 is too big)");
    parser.integerOption("--ttl", "N", 0, 255, "time to live of the request (default 64; 0 sends nothing)");
    parser.integerOption(
        "--timeout", "MS", 0, kMaxTimeoutMs,
        "milliseconds to wait for the reply (default 4000; 0 only looks for one already there)");
    parser.option("--mechanism", "M",
                  "dgram, raw or helper: the echo mechanism to use (default: the first available)");
    parser.flag("--json", "one JSON object with the request, the reply record and the lines");
    parser.positionals("HOST", 1, 1);
    return parser;
}

int runPing(std::span<const std::string> args, std::ostream& out, std::ostream&)
{
    const ParsedArgs parsed = pingArguments().parse(args);
    std::optional<platform::EchoMechanism> mechanism;
    if (const auto name = parsed.text("--mechanism")) {
        mechanism = platform::echoMechanismFromName(QString::fromStdString(*name));
        if (!mechanism)
            throw UsageError("unknown mechanism '" + *name + "' (dgram, raw or helper)");
    }
    const QString host = QString::fromStdString(parsed.positionals().front());
    // The lookups complete through the event loop.
    const auto application = applicationIfNone<QCoreApplication>();

    std::unique_ptr<net::TPing> created;
    try {
        created = std::make_unique<net::TPing>(nullptr, mechanism);
    } catch (const net::TICMPException& error) {
        if (!mechanism)
            throw;
        throw std::runtime_error(std::string(error.what()) + ": the " + *parsed.text("--mechanism") +
                                 " mechanism is not available to this user");
    }
    net::TPing& ping = *created;
    ping.setSize(int(parsed.integer("--size").value_or(56)));
    ping.setTTL(int(parsed.integer("--ttl").value_or(64)));
    ping.setTimeout(int(parsed.integer("--timeout").value_or(4000)));

    // The network window's sequence: the lookup, then one echo to the address found.
    QStringList lines{net::check_lines::searching(host)};
    int replies = 0;
    int dnsError = -1;
    bool finished = false;
    QEventLoop loop;
    ping.OnEchoRequest = [&](QObject*, net::TICMP* icmp) {
        lines << net::check_lines::sending(icmp->Size, icmp->HostName(), icmp->HostIP());
    };
    ping.OnEchoReply = [&](QObject*, net::TICMP* icmp, int count) {
        replies = count;
        lines << (count != 0
                      ? net::check_lines::received(icmp->Reply().DataSize, icmp->HostIP(), icmp->Reply().RTT)
                      : net::check_lines::unreachable(icmp->HostIP(), icmp->ErrorString()));
    };
    ping.OnDnsLookupDone = [&](QObject*, std::uint16_t error) {
        dnsError = error;
        if (error != 0) {
            lines << net::check_lines::hostNotFound(host);
        } else {
            lines << net::check_lines::distantComputer(host, ping.DnsResult());
            ping.setAddress(ping.DnsResult());
            ping.Ping();
        }
        finished = true;
        loop.quit();
    };
    ping.DnsLookup(host);
    waitFor(finished, loop);

    if (parsed.has("--json")) {
        const net::TIcmpEchoReply& reply = ping.Reply();
        JsonObject replyObject;
        replyObject.add("Address", platform::dottedAddress(reply.Address).toStdString())
            .add("Status", reply.Status)
            .add("RoundTripTime", reply.RTT)
            .add("DataSize", reply.DataSize)
            .add("TTL", reply.Ttl);
        JsonObject object;
        object.add("Host", host.toStdString())
            .add("Mechanism", platform::echoMechanismName(ping.Mechanism()).toStdString())
            .add("DnsError", dnsError)
            .add("DnsResult", ping.DnsResult().toStdString())
            .add("HostName", ping.HostName().toStdString())
            .add("HostIP", ping.HostIP().toStdString())
            .add("Size", ping.Size())
            .add("TTL", ping.TTL())
            .add("Flags", ping.Flags())
            .add("Timeout", ping.Timeout())
            .add("Replies", replies)
            .add("ErrorCode", ping.ErrorCode())
            .add("ErrorString", ping.ErrorString().toStdString())
            .add("Reply", replyObject)
            .add("Lines", jsonLines(lines));
        writeJsonLine(out, object);
    } else {
        printLines(out, lines);
    }
    return replies > 0 ? 0 : exit_status::kFailure;
}

ArgParser lookupArguments()
{
    ArgParser parser;
    parser.flag("--reverse", "look the name of an IPv4 address up (digits and points only)");
    parser.flag("--json", "one JSON object with the query, the error and the results");
    parser.positionals("NAME|ADDRESS", 1, 1);
    return parser;
}

int runLookup(std::span<const std::string> args, std::ostream& out, std::ostream&)
{
    const ParsedArgs parsed = lookupArguments().parse(args);
    const QString query = QString::fromStdString(parsed.positionals().front());
    const bool reverse = parsed.has("--reverse");
    if (reverse && !net::looksLikeDottedAddress(query))
        throw UsageError("invalid IP address '" + query.toStdString() + "' (ex: 192.0.2.1)");
    // The lookups complete through the event loop.
    const auto application = applicationIfNone<QCoreApplication>();

    net::TWSocket socket;
    std::uint16_t error = 0;
    bool finished = false;
    QEventLoop loop;
    socket.OnDnsLookupDone = [&](QObject*, std::uint16_t code) {
        error = code;
        finished = true;
        loop.quit();
    };
    if (reverse)
        socket.ReverseDnsLookup(query);
    else
        socket.DnsLookup(query);
    waitFor(finished, loop);

    if (parsed.has("--json")) {
        JsonObject object;
        object.add("Query", query.toStdString())
            .add("Reverse", reverse)
            .add("Error", error)
            .add("ErrorText", net::SocketErrorDesc(error).toStdString())
            .add("DnsResult", socket.DnsResult().toStdString())
            .add("DnsResultList", jsonLines(socket.DnsResultList()));
        writeJsonLine(out, object);
    } else {
        printLines(out,
                   QStringList{net::lookupStatus(error, socket.DnsResult(), socket.DnsResultList().size())} +
                       socket.DnsResultList());
    }
    return error == 0 ? 0 : exit_status::kFailure;
}

ArgParser localIpArguments()
{
    ArgParser parser;
    parser.flag("--json", "one JSON object: LocalHostName and LocalIPList");
    return parser;
}

int runLocalIp(std::span<const std::string> args, std::ostream& out, std::ostream&)
{
    const ParsedArgs parsed = localIpArguments().parse(args);
    const QString hostName = net::LocalHostName();
    const QStringList addresses = net::LocalIPList();
    if (parsed.has("--json")) {
        JsonObject object;
        object.add("LocalHostName", hostName.toStdString()).add("LocalIPList", jsonLines(addresses));
        writeJsonLine(out, object);
    } else {
        printLines(out, addresses);
    }
    return 0;
}

ArgParser smbArguments()
{
    ArgParser parser;
    parser.flag("--json", "one JSON object: the URL, the entries (Name, Type, Container) and the error");
    parser.positionals("URL", 0, 1);
    return parser;
}

// The node an smb:// URL names: nullopt for the top, the provider for "smb://", a workgroup (or, when no
// workgroup has that name, a server) for "smb://NAME", and a share or directory path otherwise.
struct SmbNode {
    std::optional<platform::NetResource> container;
    QString directoryPath; // "\\SERVER\Share\Dir" when the URL names a share or directory
};

SmbNode smbNode(const platform::NetworkNeighbourhood& network, const QString& url)
{
    if (!url.startsWith(QLatin1String("smb://")))
        throw UsageError("the URL must start with smb:// ('" + url.toStdString() + "')");
    const QStringList parts = url.mid(6).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    platform::NetResource provider;
    provider.remoteName = network.providerName();
    provider.container = true;
    if (parts.isEmpty())
        return {provider, {}};
    if (parts.size() > 1)
        return {std::nullopt, QStringLiteral("\\\\") + parts.join(QLatin1Char('\\'))};
    platform::NetResource node;
    node.container = true;
    node.remoteName = parts.front();
    const auto workgroups = network.list(provider, platform::ResourceKind::Any);
    const bool isWorkgroup =
        workgroups &&
        std::any_of(workgroups->entries.begin(), workgroups->entries.end(),
                    [&](const platform::NetResource& entry) {
                        return entry.remoteName.compare(node.remoteName, Qt::CaseInsensitive) == 0;
                    });
    if (!isWorkgroup)
        node.remoteName.prepend(QStringLiteral("\\\\"));
    return {node, {}};
}

int runSmb(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = smbArguments().parse(args);
    const QString url =
        parsed.positionals().empty() ? QString() : QString::fromStdString(parsed.positionals().front());
    const platform::NetworkNeighbourhoodPointer network = platform::networkNeighbourhood();
    const SmbNode node = url.isEmpty() ? SmbNode{} : smbNode(*network, url);

    platform::NetListing listing;
    bool opened = true;
    if (!node.directoryPath.isEmpty()) {
        const auto directories = network->directories(node.directoryPath);
        opened = directories.has_value();
        for (const QString& name : directories.value_or(QStringList()))
            listing.entries.append(
                {node.directoryPath + QLatin1Char('\\') + name, platform::ResourceKind::Disk, true});
    } else if (const auto found = network->list(node.container, platform::ResourceKind::Any)) {
        listing = *found;
    } else {
        opened = false;
    }

    if (parsed.has("--json")) {
        JsonArray entries;
        for (const platform::NetResource& entry : listing.entries) {
            JsonObject item;
            item.add("Name", entry.remoteName.toStdString())
                .add("Type", static_cast<int>(entry.type))
                .add("Container", entry.container);
            entries.add(item);
        }
        JsonObject object;
        object.add("Url", url.toStdString())
            .add("Opened", opened)
            .add("Entries", entries)
            .add("Error", listing.error == 0 ? JsonValue(nullptr) : JsonValue(listing.error));
        writeJsonLine(out, object);
    } else {
        for (const platform::NetResource& entry : listing.entries)
            out << visibleText(entry.remoteName.toStdString()) << '\n';
    }
    if (!opened)
        err << "quorvex-cli smb: cannot open "
            << (url.isEmpty() ? std::string("the network") : url.toStdString()) << '\n';
    if (const QString problem = platform::networkNeighbourhoodLoadError(); !problem.isEmpty())
        err << "quorvex-cli smb: SMB browsing is not available: " << problem.toStdString() << '\n';
    else if (listing.error != 0)
        err << "quorvex-cli smb: the listing stopped early: " << std::strerror(listing.error) << '\n';
    return opened && listing.error == 0 ? 0 : exit_status::kFailure;
}

} // namespace

Subcommand smbCommand()
{
    constexpr std::string_view summary = "List what the network neighbourhood shows below a node";
    const std::string description =
        std::string(summary) + "\nEach listing gives up after " +
        std::to_string(platform::kNeighbourhoodTimeout.count()) +
        " s, whatever the peer does (error ETIMEDOUT, \"" + std::strerror(ETIMEDOUT) +
        "\").\nA node named by server (smb://SERVER) takes two listings: the workgroups, then the server.";
    return {"smb", std::string(summary), smbArguments().usage("smb", description), runSmb};
}

Subcommand pingCommand()
{
    constexpr std::string_view summary =
        "Check the connection to a host: look it up and send it one echo request";
    return {"ping", std::string(summary), pingArguments().usage("ping", summary), runPing};
}

Subcommand lookupCommand()
{
    constexpr std::string_view summary = "Look a host name's addresses up, or an address's name";
    return {"lookup", std::string(summary), lookupArguments().usage("lookup", summary), runLookup};
}

Subcommand localIpCommand()
{
    constexpr std::string_view summary = "List this machine's IPv4 addresses, non-loopback first";
    return {"localip", std::string(summary), localIpArguments().usage("localip", summary), runLocalIp};
}

} // namespace qv::cli

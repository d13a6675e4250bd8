#include "platform/SmbNeighbourhood.h"

#include <QUrl>

namespace qv::platform {

namespace {

const QString kUncPrefix = QStringLiteral("\\\\");
constexpr QChar kUncSeparator = QLatin1Char('\\');

enum class Level { Provider, Workgroup, Server, Other };

Level levelOf(const NetResource& parent, const QString& providerName)
{
    if (!parent.container || parent.remoteName.isEmpty())
        return Level::Other;
    if (parent.remoteName == providerName)
        return Level::Provider;
    if (!parent.remoteName.startsWith(kUncPrefix))
        return Level::Workgroup;
    const QString server = parent.remoteName.mid(kUncPrefix.size());
    return !server.isEmpty() && !server.contains(kUncSeparator) ? Level::Server : Level::Other;
}

std::optional<ResourceKind> shareType(const SmbEntry& entry, ResourceKind kind)
{
    if (entry.name.endsWith(QLatin1Char('$')))
        return std::nullopt;
    if (entry.type == smb_type::kFileShare && kind != ResourceKind::Print)
        return ResourceKind::Disk;
    if (entry.type == smb_type::kPrinterShare && kind != ResourceKind::Disk)
        return ResourceKind::Print;
    return std::nullopt; // IPC, comms, or not of the kind asked for
}

QList<NetResource> containers(const SmbListing& listing, unsigned int type, const QString& prefix)
{
    QList<NetResource> found;
    for (const SmbEntry& entry : listing.entries)
        if (entry.type == type)
            found.append({prefix + entry.name, ResourceKind::Any, true});
    return found;
}

QList<NetResource> shares(const SmbListing& listing, const QString& server, ResourceKind kind)
{
    QList<NetResource> found;
    for (const SmbEntry& entry : listing.entries)
        if (const std::optional<ResourceKind> type = shareType(entry, kind))
            found.append({server + kUncSeparator + entry.name, *type, false});
    return found;
}

// The parts of "\\\\SERVER[\\Share[\\Dir...]]", nullopt when it does not start with two backslashes.
std::optional<QStringList> uncParts(const QString& uncPath)
{
    if (!uncPath.startsWith(kUncPrefix))
        return std::nullopt;
    return uncPath.mid(kUncPrefix.size()).split(kUncSeparator, Qt::SkipEmptyParts);
}

QByteArray urlOf(const QStringList& parts)
{
    QByteArray url = "smb:/";
    for (const QString& part : parts)
        url += '/' + QUrl::toPercentEncoding(part);
    return url + '/';
}

template<typename Convert>
std::optional<NetListing> listed(const SmbDirectoryReader& reader, const QByteArray& url,
                                 SmbProtocols protocols, Convert convert)
{
    const std::optional<SmbListing> listing = reader.read(url, protocols);
    if (!listing)
        return std::nullopt;
    return NetListing{convert(*listing), listing->error};
}

} // namespace

SmbNeighbourhood::SmbNeighbourhood(std::shared_ptr<const SmbDirectoryReader> reader)
    : m_reader(std::move(reader))
{
}

QString SmbNeighbourhood::providerName() const
{
    return QStringLiteral("Samba");
}

std::optional<NetListing> SmbNeighbourhood::list(const std::optional<NetResource>& parent,
                                                 ResourceKind kind) const
{
    if (!parent)
        return NetListing{{NetResource{providerName(), ResourceKind::Any, true}}, 0};
    const QString& name = parent->remoteName;
    switch (levelOf(*parent, providerName())) {
    case Level::Provider:
        return listed(*m_reader, "smb://", SmbProtocols::Smb1, [](const SmbListing& listing) {
            return containers(listing, smb_type::kWorkgroup, {});
        });
    case Level::Workgroup:
        return listed(*m_reader, urlOf({name}), SmbProtocols::Smb1, [](const SmbListing& listing) {
            return containers(listing, smb_type::kServer, kUncPrefix);
        });
    case Level::Server:
        return listed(*m_reader, urlOf({name.mid(kUncPrefix.size())}), SmbProtocols::Default,
                      [&](const SmbListing& listing) { return shares(listing, name, kind); });
    case Level::Other:
        break;
    }
    return std::nullopt;
}

std::optional<QStringList> SmbNeighbourhood::directories(const QString& uncPath) const
{
    const std::optional<QStringList> parts = uncParts(uncPath);
    if (!parts || parts->size() < 2) // a server alone is no share
        return std::nullopt;
    const std::optional<SmbListing> listing = m_reader->read(urlOf(*parts), SmbProtocols::Default);
    if (!listing || listing->error != 0)
        return std::nullopt;
    QStringList names;
    for (const SmbEntry& entry : listing->entries)
        if (entry.type == smb_type::kDirectory && entry.name != QLatin1String(".") &&
            entry.name != QLatin1String(".."))
            names.append(entry.name);
    return names;
}

} // namespace qv::platform

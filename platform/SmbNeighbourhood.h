#pragma once

#include "platform/NetworkNeighbourhood.h"

#include <QByteArray>

#include <cerrno>

namespace qv::platform {

// The entry types of libsmbclient's directory listings (smbc_dirent::smbc_type).
namespace smb_type {
constexpr unsigned int kWorkgroup = 1;
constexpr unsigned int kServer = 2;
constexpr unsigned int kFileShare = 3;
constexpr unsigned int kPrinterShare = 4;
constexpr unsigned int kCommsShare = 5;
constexpr unsigned int kIpcShare = 6;
constexpr unsigned int kDirectory = 7;
constexpr unsigned int kFile = 8;
} // namespace smb_type

struct SmbEntry {
    QString name;
    unsigned int type = 0; // an smb_type
};

// What one smb:// URL lists, and the errno that ended the listing early (0 when it ran to its end).
struct SmbListing {
    QList<SmbEntry> entries;
    int error = 0;
};

// The browse list (workgroups, a workgroup's servers) comes only over SMB1; everything else uses the
// library's default protocols.
enum class SmbProtocols { Smb1, Default };

// Lists smb:// URLs (url-encoded, "smb://", "smb://NAME/", "smb://SERVER/Share/Dir/").
class SmbDirectoryReader {
public:
    virtual ~SmbDirectoryReader() = default;
    // nullopt when the URL cannot be opened.
    virtual std::optional<SmbListing> read(const QByteArray& url, SmbProtocols protocols) const = 0;
};

// The neighbourhood as an SMB client sees it: the provider "Samba" lists the workgroups, a workgroup its
// servers ("\\\\SERVER"), a server its disk and printer shares ("\\\\SERVER\\Share", without IPC, comms
// and hidden "$" shares).
class SmbNeighbourhood final : public NetworkNeighbourhood {
public:
    explicit SmbNeighbourhood(std::shared_ptr<const SmbDirectoryReader> reader);
    QString providerName() const override;
    std::optional<NetListing> list(const std::optional<NetResource>& parent,
                                   ResourceKind kind) const override;
    // A listing cut short by an error counts as one that cannot be listed.
    std::optional<QStringList> directories(const QString& uncPath) const override;

private:
    std::shared_ptr<const SmbDirectoryReader> m_reader;
};

// One listing through opendir / readdir / closedir style calls, which report failures in errno as
// libsmbclient's do. An open that fails fails the listing even when it leaves errno 0; a read that ends
// with errno set ends the listing with that error. Entries have `name` and `smbc_type`, as smbc_dirent.
template<typename Open, typename Next, typename Close>
std::optional<SmbListing> readDirectory(Open open, Next next, Close close)
{
    errno = 0;
    auto* directory = open();
    if (!directory)
        return std::nullopt;
    SmbListing listing;
    for (;;) {
        errno = 0;
        const auto* entry = next(directory);
        if (!entry) {
            listing.error = errno;
            break;
        }
        // As a pointer: smbc_dirent::name is declared as a one-byte array.
        listing.entries.append({QString::fromUtf8(static_cast<const char*>(entry->name)), entry->smbc_type});
    }
    close(directory);
    return listing;
}

} // namespace qv::platform

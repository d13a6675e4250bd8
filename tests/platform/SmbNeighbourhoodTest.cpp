#include "platform/SmbNeighbourhood.h"

#include "tests/support/TestSupport.h"

#include <QHash>

#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

using namespace qv::platform;
namespace type = qv::platform::smb_type;

namespace qv::platform {
bool operator==(const NetResource& a, const NetResource& b)
{
    return a.remoteName == b.remoteName && a.type == b.type && a.container == b.container;
}
void PrintTo(const NetResource& resource, std::ostream* out)
{
    *out << '{' << resource.remoteName.toStdString() << ' ' << static_cast<int>(resource.type) << ' '
         << resource.container << '}';
}
} // namespace qv::platform

namespace {

// Answers scripted listings and records what was asked.
class ScriptedReader final : public SmbDirectoryReader {
public:
    std::optional<SmbListing> read(const QByteArray& url, SmbProtocols protocols) const override
    {
        asked.append({url, protocols});
        return listings.value(url);
    }

    QHash<QByteArray, std::optional<SmbListing>> listings;
    mutable QList<std::pair<QByteArray, SmbProtocols>> asked;
};

class SmbNeighbourhoodTest : public ::testing::Test {
protected:
    std::shared_ptr<ScriptedReader> m_reader = std::make_shared<ScriptedReader>();
    SmbNeighbourhood m_neighbourhood{m_reader};
};

NetResource container(const char* name)
{
    return {QLatin1String(name), ResourceKind::Any, true};
}

QList<NetResource> entries(const std::optional<NetListing>& listing)
{
    EXPECT_TRUE(listing.has_value());
    return listing ? listing->entries : QList<NetResource>();
}

} // namespace

TEST_F(SmbNeighbourhoodTest, EachLevelListsItsUrlOverItsProtocols)
{
    m_reader->listings["smb://"] = SmbListing{{{"MY GROUP", type::kWorkgroup}, {"STRAY", type::kServer}}, 0};
    m_reader->listings["smb://MY%20GROUP/"] = SmbListing{{{"SRV", type::kServer}}, 0};

    EXPECT_EQ(entries(m_neighbourhood.list(std::nullopt, ResourceKind::Disk)), QList{container("Samba")});
    EXPECT_TRUE(m_reader->asked.isEmpty()) << "the top is the provider alone";
    EXPECT_EQ(entries(m_neighbourhood.list(container("Samba"), ResourceKind::Any)),
              QList{container("MY GROUP")});
    EXPECT_EQ(entries(m_neighbourhood.list(container("MY GROUP"), ResourceKind::Any)),
              QList{container("\\\\SRV")});
    m_neighbourhood.list(container("\\\\SRV"), ResourceKind::Any);

    using Asked = std::pair<QByteArray, SmbProtocols>;
    EXPECT_EQ(m_reader->asked, (QList<Asked>{{"smb://", SmbProtocols::Smb1},
                                             {"smb://MY%20GROUP/", SmbProtocols::Smb1},
                                             {"smb://SRV/", SmbProtocols::Default}}));
}

TEST_F(SmbNeighbourhoodTest, ServerListsDiskAndPrinterSharesOfTheKindAskedFor)
{
    m_reader->listings["smb://SRV/"] = SmbListing{{{"Files", type::kFileShare},
                                                   {"Laser", type::kPrinterShare},
                                                   {"IPC$", type::kIpcShare},
                                                   {"COMMS", type::kCommsShare},
                                                   {"C$", type::kFileShare},
                                                   {"print$", type::kPrinterShare}},
                                                  0};
    const NetResource files{QStringLiteral("\\\\SRV\\Files"), ResourceKind::Disk, false};
    const NetResource laser{QStringLiteral("\\\\SRV\\Laser"), ResourceKind::Print, false};
    EXPECT_EQ(entries(m_neighbourhood.list(container("\\\\SRV"), ResourceKind::Any)), (QList{files, laser}));
    EXPECT_EQ(entries(m_neighbourhood.list(container("\\\\SRV"), ResourceKind::Disk)), QList{files});
    EXPECT_EQ(entries(m_neighbourhood.list(container("\\\\SRV"), ResourceKind::Print)), QList{laser});
}

TEST_F(SmbNeighbourhoodTest, FailuresAndErrorsReachTheCaller)
{
    m_reader->listings["smb://"] = SmbListing{{{"GROUP", type::kWorkgroup}}, EIO};
    const std::optional<NetListing> cut = m_neighbourhood.list(container("Samba"), ResourceKind::Any);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->entries, QList{container("GROUP")});
    EXPECT_EQ(cut->error, EIO);

    EXPECT_FALSE(m_neighbourhood.list(container("\\\\DOWN"), ResourceKind::Any))
        << "the reader cannot open it";
    m_reader->asked.clear();
    EXPECT_FALSE(m_neighbourhood.list(container("\\\\SRV\\Files"), ResourceKind::Any));
    EXPECT_FALSE(m_neighbourhood.list(NetResource{QStringLiteral("GROUP"), ResourceKind::Any, false},
                                      ResourceKind::Any));
    EXPECT_TRUE(m_reader->asked.isEmpty()) << "shares and other non-containers cannot be opened";
}

TEST_F(SmbNeighbourhoodTest, DirectoriesAreTheSubdirectoriesOfTheEncodedPath)
{
    m_reader->listings["smb://SRV/Share/Dir%201/100%25/"] = SmbListing{{{".", type::kDirectory},
                                                                        {"..", type::kDirectory},
                                                                        {"Sub", type::kDirectory},
                                                                        {"notes.txt", type::kFile},
                                                                        {"Sub 2", type::kDirectory}},
                                                                       0};
    EXPECT_EQ(m_neighbourhood.directories(QStringLiteral("\\\\SRV\\Share\\Dir 1\\100%")),
              (QStringList{QStringLiteral("Sub"), QStringLiteral("Sub 2")}));

    m_reader->listings["smb://SRV/Cut/"] = SmbListing{{{"Sub", type::kDirectory}}, EIO};
    EXPECT_FALSE(m_neighbourhood.directories(QStringLiteral("\\\\SRV\\Cut")));
    m_reader->asked.clear();
    EXPECT_FALSE(m_neighbourhood.directories(QStringLiteral("\\\\SRV")));
    EXPECT_FALSE(m_neighbourhood.directories(QStringLiteral("SRV\\Share")));
    EXPECT_TRUE(m_reader->asked.isEmpty()) << "neither names a share";
}

namespace {

// Laid out as smbc_dirent is: the name runs on past the one byte it is declared with.
struct FakeEntry {
    unsigned int smbc_type;
    char name[1];
};

// A directory stream that yields its entries, then ends with `endErrno`.
class FakeDirectory {
public:
    FakeDirectory(const QList<std::pair<QByteArray, unsigned int>>& entries, int endErrno)
        : m_endErrno(endErrno)
    {
        for (const auto& [name, type] : entries) {
            QByteArray& storage = m_storage.emplace_back(qsizetype(sizeof(FakeEntry)) + name.size(), '\0');
            std::memcpy(storage.data() + offsetof(FakeEntry, name), name.constData(), name.size());
            reinterpret_cast<FakeEntry*>(storage.data())->smbc_type = type;
        }
    }

    const FakeEntry* read()
    {
        if (m_next < m_storage.size())
            return reinterpret_cast<const FakeEntry*>(m_storage[m_next++].constData());
        errno = m_endErrno;
        return nullptr;
    }

    int closed = 0;

private:
    QList<QByteArray> m_storage;
    int m_endErrno;
    qsizetype m_next = 0;
};

} // namespace

TEST(SmbReadDirectory, FailuresAreTakenFromErrnoAsLibsmbclientSetsIt)
{
    const auto next = [](FakeDirectory* directory) { return directory->read(); };
    const auto close = [](FakeDirectory* directory) { ++directory->closed; };
    EXPECT_FALSE(readDirectory([]() -> FakeDirectory* { return nullptr; }, next, close))
        << "an open that fails without setting errno still fails";

    for (const int endErrno : {0, ETIMEDOUT}) {
        FakeDirectory stream({{"Alpha", type::kDirectory}, {"Beta Dir", type::kFile}}, endErrno);
        const std::optional<SmbListing> listing = readDirectory([&] { return &stream; }, next, close);
        ASSERT_TRUE(listing);
        ASSERT_EQ(listing->entries.size(), 2);
        EXPECT_EQ(listing->entries[1].name, QStringLiteral("Beta Dir"));
        EXPECT_EQ(listing->entries[1].type, type::kFile);
        EXPECT_EQ(listing->error, endErrno);
        EXPECT_EQ(stream.closed, 1);
    }
}

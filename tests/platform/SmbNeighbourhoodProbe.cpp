// Runs the installed network neighbourhood where the Samba test puts it (inside a network namespace) and
// prints what it sees, one result a line:
//   wait <workgroup> <seconds>  "found <ms>" once the provider lists the workgroup, else "missing"
//   list <top|parent> <any|disk|print>  "entry <type> <container> <name>"..., then "error <errno>" if
//                               the listing stopped early; "unopenable"
//   dirs <unc path>             "dir <name>"..., or "unlistable"
//   workgroup [<address>...]    "workgroup <name>" or "none", then "elapsed <ms>"; without addresses
//                               netbiosWorkgroup() asks this machine
#include "platform/NetBiosStatus.h"
#include "platform/NetworkNeighbourhood.h"

#include <QElapsedTimer>
#include <QThread>

#include <arpa/inet.h>

#include <cstdio>

using namespace qv::platform;

namespace {

void print(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
}

ResourceKind kindOf(const QString& name)
{
    if (name == QLatin1String("disk"))
        return ResourceKind::Disk;
    return name == QLatin1String("print") ? ResourceKind::Print : ResourceKind::Any;
}

std::optional<NetResource> parentOf(const QString& name)
{
    if (name == QLatin1String("top"))
        return std::nullopt;
    return NetResource{name, ResourceKind::Any, true};
}

int list(const QString& parent, const QString& kind)
{
    const std::optional<NetListing> listing = networkNeighbourhood()->list(parentOf(parent), kindOf(kind));
    if (!listing) {
        print(QStringLiteral("unopenable"));
        return 0;
    }
    for (const NetResource& entry : listing->entries)
        print(QStringLiteral("entry %1 %2 %3")
                  .arg(static_cast<int>(entry.type))
                  .arg(int(entry.container))
                  .arg(entry.remoteName));
    if (listing->error != 0)
        print(QStringLiteral("error %1").arg(listing->error));
    return 0;
}

int wait(const QString& workgroup, int seconds)
{
    const NetResource provider{networkNeighbourhood()->providerName(), ResourceKind::Any, true};
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000) {
        if (const std::optional<NetListing> listing =
                networkNeighbourhood()->list(provider, ResourceKind::Any))
            for (const NetResource& entry : listing->entries)
                if (entry.remoteName == workgroup) {
                    print(QStringLiteral("found %1").arg(timer.elapsed()));
                    return 0;
                }
        QThread::sleep(1);
    }
    print(QStringLiteral("missing"));
    return 0;
}

int dirs(const QString& uncPath)
{
    const std::optional<QStringList> names = networkNeighbourhood()->directories(uncPath);
    if (!names)
        print(QStringLiteral("unlistable"));
    for (const QString& name : names.value_or(QStringList()))
        print(QStringLiteral("dir ") + name);
    return 0;
}

int workgroup(const QStringList& addresses)
{
    QElapsedTimer timer;
    timer.start();
    std::optional<QString> found;
    if (addresses.isEmpty()) {
        found = netbiosWorkgroup();
    } else {
        QList<std::uint32_t> candidates;
        for (const QString& address : addresses)
            candidates.append(inet_addr(qPrintable(address)));
        found = netbios::queryWorkgroup(candidates, std::chrono::milliseconds(1000));
    }
    print(found ? QStringLiteral("workgroup ") + *found : QStringLiteral("none"));
    print(QStringLiteral("elapsed %1").arg(timer.elapsed()));
    return 0;
}

} // namespace

// Under LeakSanitizer: libsmbclient keeps its logging set-up (in talloc memory) until exit. Only Samba's
// libraries use talloc.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libtalloc.so\n";
}

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QString command = arguments.value(0);
    if (command == QLatin1String("wait") && arguments.size() == 3)
        return wait(arguments[1], arguments[2].toInt());
    if (command == QLatin1String("list") && arguments.size() == 3)
        return list(arguments[1], arguments[2]);
    if (command == QLatin1String("dirs") && arguments.size() == 2)
        return dirs(arguments[1]);
    if (command == QLatin1String("workgroup"))
        return workgroup(arguments.mid(1));
    std::fprintf(stderr, "usage: smb_neighbourhood_probe wait|list|dirs|workgroup ...\n");
    return 2;
}

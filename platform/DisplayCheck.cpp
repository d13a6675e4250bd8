#include "platform/DisplayCheck.h"

#include "platform/LoadableModule.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <optional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace qv::platform {

namespace {

const QString kX11 = QStringLiteral("xcb");
const QString kWayland = QStringLiteral("wayland");

// The names in a platform list such as "wayland:option;xcb", lower-cased as Qt matches them.
QStringList platformNames(const QString& list)
{
    QStringList names;
    for (const QString& entry : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).toLower();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

// The plugins Qt tries, in its order. QT_QPA_PLATFORM decides when not empty. Otherwise Qt 6.4 as
// Debian builds it tries Wayland first, then X11, as soon as WAYLAND_DISPLAY is set (even empty) or
// the session type is wayland, whatever DISPLAY or the desktop say; else X11 alone.
QStringList platformCandidates()
{
    const QString chosen = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!chosen.isEmpty())
        return platformNames(chosen);
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        return {kWayland, kX11};
    return {kX11};
}

// The folders Qt searches for platform plugins.
QStringList platformPluginFolders()
{
    QStringList folders;
    if (const QString direct = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"); !direct.isEmpty())
        folders << direct;
    for (const QString& path :
         qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << path + QStringLiteral("/platforms");
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    return folders;
}

// Plugin files are named after their platform, except Wayland's general-purpose one.
QString pluginFileName(const QString& platform)
{
    return platform == kWayland ? QStringLiteral("libqwayland-generic.so")
                                : QStringLiteral("libq%1.so").arg(platform);
}

bool platformPluginInstalled(const QString& platform)
{
    const QString file = pluginFileName(platform);
    const QStringList folders = platformPluginFolders();
    return std::any_of(folders.begin(), folders.end(), [&file](const QString& folder) {
        return QFileInfo::exists(QDir(folder).filePath(file));
    });
}

// The X11 client library is loaded only here, so that a command that never checks a display does not
// load it. A display whose library cannot be loaded cannot be used either.
bool canConnectToX(const QByteArray& display)
{
    struct Connection;
    static const LoadableModule xcb("libxcb.so.1");
    const auto connect = xcb.function<Connection*(const char*, int*)>("xcb_connect");
    const auto hasError = xcb.function<int(Connection*)>("xcb_connection_has_error");
    const auto disconnect = xcb.function<void(Connection*)>("xcb_disconnect");
    if (!connect || !hasError || !disconnect)
        return false;
    Connection* connection = connect(display.constData(), nullptr);
    const bool usable = hasError(connection) == 0;
    disconnect(connection);
    return usable;
}

// Where the Wayland client library connects: an absolute WAYLAND_DISPLAY as it is, otherwise that name
// (by default "wayland-0") in XDG_RUNTIME_DIR. Nothing when a relative name has no folder to live in.
std::optional<QByteArray> waylandSocketPath()
{
    QByteArray name =
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ? qgetenv("WAYLAND_DISPLAY") : QByteArray("wayland-0");
    if (name.startsWith('/'))
        return name;
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    if (folder.isEmpty())
        return std::nullopt;
    return folder + '/' + name;
}

// A compositor serves its display on a listening AF_UNIX socket; connecting is enough to know.
bool canConnectToWayland(const QByteArray& socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(socketPath.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, socketPath.constData(), static_cast<std::size_t>(socketPath.size()));
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return false;
    const bool connected =
        ::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(descriptor);
    return connected;
}

QString x11Problem()
{
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("no display available: DISPLAY is not set");
    if (canConnectToX(display))
        return {};
    return QStringLiteral("cannot open display \"%1\"").arg(QString::fromLocal8Bit(display));
}

QString waylandProblem()
{
    const auto socketPath = waylandSocketPath();
    if (!socketPath)
        return QStringLiteral("cannot find the Wayland display \"%1\": XDG_RUNTIME_DIR is not set")
            .arg(qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0")));
    if (canConnectToWayland(*socketPath))
        return {};
    return QStringLiteral("cannot connect to the Wayland display \"%1\"")
        .arg(QString::fromLocal8Bit(*socketPath));
}

// Why Qt could not start on this platform, or nothing. Platforms other than X11 and Wayland (offscreen,
// vnc, ...) reach no display server; their plugin being there is all that can be checked up front.
QString platformProblem(const QString& platform)
{
    if (!platformPluginInstalled(platform))
        return QStringLiteral("no Qt platform plugin \"%1\" is installed").arg(platform);
    if (platform == kX11)
        return x11Problem();
    if (platform.startsWith(kWayland))
        return waylandProblem();
    return {};
}

} // namespace

QString checkDisplay()
{
    const QStringList candidates = platformCandidates();
    if (candidates.isEmpty())
        return QStringLiteral("QT_QPA_PLATFORM names no platform plugin");
    // Qt falls back from one platform to the next, so the first that works is enough.
    QStringList problems;
    for (const QString& platform : candidates) {
        const QString problem = platformProblem(platform);
        if (problem.isEmpty())
            return {};
        problems << problem;
    }
    return problems.join(QStringLiteral("; "));
}

} // namespace qv::platform

#include "platform/DisplayCheck.h"

#include <QByteArray>
#include <QStringList>

#include <xcb/xcb.h>

namespace qv::platform {

namespace {

bool canConnectToX(const QByteArray& display)
{
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool usable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return usable;
}

} // namespace

QString checkDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    // A platform chosen explicitly other than X11 or Wayland (offscreen, vnc, ...) needs no display.
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return {};

    const QByteArray x11 = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (x11.isEmpty() && wayland.isEmpty())
        return QStringLiteral("no display available: neither DISPLAY nor WAYLAND_DISPLAY is set");
    if (!wayland.isEmpty() && !platform.startsWith("xcb"))
        return {};
    if (!x11.isEmpty() && canConnectToX(x11))
        return {};
    return QStringLiteral("cannot open display \"%1\"").arg(QString::fromLocal8Bit(x11));
}

} // namespace qv::platform

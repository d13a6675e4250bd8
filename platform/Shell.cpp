#include "platform/Shell.h"

#include <QDesktopServices>

#include <utility>

namespace qv::platform {

namespace {
ShellOpener g_opener;
} // namespace

void ShellOpen(QWidget* /*parent*/, const QUrl& url)
{
    if (g_opener) {
        g_opener(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

ShellOpener setShellOpener(ShellOpener replacement)
{
    return std::exchange(g_opener, std::move(replacement));
}

} // namespace qv::platform

#include "platform/Shell.h"

#include <QDesktopServices>

namespace qv::platform {

namespace {
std::function<void(const QUrl&)> g_opener;
} // namespace

void ShellOpen(QWidget* /*parent*/, const QUrl& url)
{
    if (g_opener) {
        g_opener(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void setShellOpener(std::function<void(const QUrl&)> replacement)
{
    g_opener = std::move(replacement);
}

} // namespace qv::platform

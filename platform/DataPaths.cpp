#include "platform/DataPaths.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace qv::platform {

namespace {
QString g_override;
}

QString dataDirectory()
{
    if (!g_override.isEmpty())
        return g_override;
    // The running executable itself, so that the folder is known before any application object exists.
    const QFileInfo executable(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    return QDir::cleanPath(executable.absolutePath() + QStringLiteral("/../share/quorvex"));
}

QString setDataDirectory(QString path)
{
    return std::exchange(g_override, std::move(path));
}

} // namespace qv::platform

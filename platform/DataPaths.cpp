#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace qv::platform {

namespace {
QString g_override;
}

QString dataDirectory()
{
    if (!g_override.isEmpty())
        return g_override;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quorvex"));
}

void setDataDirectory(const QString& path)
{
    g_override = path;
}

} // namespace qv::platform

#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QDir>

#include <utility>

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

QString setDataDirectory(QString path)
{
    return std::exchange(g_override, std::move(path));
}

} // namespace qv::platform

#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace qv::platform {

QString dataDirectory()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/quorvex"));
}

} // namespace qv::platform

#pragma once

#include "qv/Config.h"

#include <QUrl>

namespace qv::app {

// A page of the product's web site; the home page without an argument.
inline QUrl webSiteUrl(const QString& page = QString())
{
    return QUrl(QString::fromLatin1(config::kWebSite) + page);
}

// A new mail to the support team.
inline QUrl supportMailUrl()
{
    return QUrl(QStringLiteral("mailto:") + QString::fromLatin1(config::kSupportAddress));
}

} // namespace qv::app

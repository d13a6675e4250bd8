#include "bench/inet/InetBenchmark.h"

#include <QUrl>

namespace qv::bench::inet {

QUrl parsedAddress(const QString& typed)
{
    const QUrl url(typed.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        throw InetBenchError("'" + typed.toStdString() +
                             "' is not an http:// or https:// address with a host");
    return url;
}

QString shownAddress(const QUrl& url)
{
    return url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment).toString();
}

QString checkedAddress(const QString& typed)
{
    return shownAddress(parsedAddress(typed));
}

} // namespace qv::bench::inet

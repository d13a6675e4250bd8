#include "bench/inet/InetBenchmark.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace qv::bench::inet {

namespace {

using Clock = std::chrono::steady_clock;

constexpr qint64 kReadBuffer = 1 << 20;

double msSince(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// One download: the reply's signals and the watch timer fill the result.
class Download {
public:
    Download(const InetSettings& settings, const std::atomic<bool>& stop, const InetProgressSink& progress)
        : m_settings(settings)
        , m_stop(stop)
        , m_progress(progress)
    {
    }

    InetResult run(const QUrl& url)
    {
        QNetworkAccessManager manager;
        // Only the server the user named is contacted: no proxy, no cache, no strict-transport store.
        manager.setProxy(QNetworkProxy::NoProxy);
        manager.setStrictTransportSecurityEnabled(false);
        QNetworkRequest request(url);
        request.setMaximumRedirectsAllowed(kMaxRedirects);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
        request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("quorvex"));
        m_start = m_lastActivity = Clock::now();
        std::unique_ptr<QNetworkReply> reply(manager.get(request));
        reply->setReadBufferSize(kReadBuffer);
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::redirected, [this] {
            ++m_result.redirects;
            m_lastActivity = Clock::now();
        });
        QObject::connect(reply.get(), &QNetworkReply::sslErrors, [this](const QList<QSslError>& errors) {
            QStringList texts;
            for (const QSslError& error : errors)
                texts << error.errorString();
            m_result.error = QStringLiteral("TLS: ") + texts.join(QStringLiteral("; "));
        });
        QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, [this] { firstByte(); });
        QObject::connect(reply.get(), &QNetworkReply::readyRead, [this, &reply] { readSome(*reply); });
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [this, &reply] { check(*reply); });
        watch.start(50);
        if (!reply->isFinished())
            loop.exec();
        finish(*reply);
        return m_result;
    }

private:
    void firstByte()
    {
        m_lastActivity = Clock::now();
        if (!m_firstByte) {
            m_firstByte = m_lastActivity;
            m_result.firstByteMs = msSince(m_start, m_lastActivity);
        }
    }

    void readSome(QNetworkReply& reply)
    {
        firstByte();
        char scratch[64 * 1024];
        for (qint64 n; (n = reply.read(scratch, sizeof scratch)) > 0;)
            m_result.bytes += n;
        m_lastByte = Clock::now();
        if (m_settings.maxBytes > 0 && m_result.bytes >= m_settings.maxBytes && !m_limited) {
            m_limited = true;
            reply.abort();
        }
    }

    void check(QNetworkReply& reply)
    {
        const Clock::time_point now = Clock::now();
        if (m_stop.load()) {
            m_result.stopped = true;
            reply.abort();
        } else if (m_firstByte && now - *m_firstByte >= m_settings.duration) {
            m_limited = true;
            reply.abort();
        } else if (now - m_lastActivity >= m_settings.stallTimeout) {
            m_result.error = m_firstByte ? QStringLiteral("the server stopped sending")
                                         : QStringLiteral("the server did not answer");
            reply.abort();
        } else if (m_progress && m_firstByte) {
            const double seconds = std::chrono::duration<double>(now - *m_firstByte).count();
            m_progress({seconds > 0 ? double(m_result.bytes) * 8 / seconds / 1e6 : 0,
                        std::min(1.0, seconds / std::chrono::duration<double>(m_settings.duration).count()),
                        m_result.bytes});
        }
    }

    void finish(QNetworkReply& reply)
    {
        m_result.finalUrl = shownAddress(reply.url());
        m_result.httpStatus = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QNetworkReply::NetworkError error = reply.error();
        if (m_result.error.isEmpty() && !m_result.stopped && !m_limited) {
            if (error == QNetworkReply::TooManyRedirectsError)
                m_result.error = QStringLiteral("more than %1 redirects").arg(kMaxRedirects);
            else if (m_result.httpStatus >= 400)
                m_result.error =
                    QStringLiteral("the server answered %1 %2")
                        .arg(m_result.httpStatus)
                        .arg(reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
            else if (error != QNetworkReply::NoError)
                m_result.error = reply.errorString();
            else
                m_result.wholeBody = true;
        }
        if (m_result.error.startsWith(QLatin1String("TLS: "))) {
            // A server that could not be verified gives no figure at all.
            m_result.firstByteMs.reset();
            m_result.bytes = 0;
            return;
        }
        if (m_firstByte && m_lastByte > *m_firstByte && m_result.bytes > 0)
            m_result.mbps = double(m_result.bytes) * 8 /
                            std::chrono::duration<double>(m_lastByte - *m_firstByte).count() / 1e6;
    }

    const InetSettings& m_settings;
    const std::atomic<bool>& m_stop;
    const InetProgressSink& m_progress;
    InetResult m_result;
    Clock::time_point m_start;
    Clock::time_point m_lastActivity;
    std::optional<Clock::time_point> m_firstByte;
    Clock::time_point m_lastByte;
    bool m_limited = false;
};

} // namespace

InetResult runInetBenchmark(const InetSettings& settings, const std::atomic<bool>& stop,
                            const InetProgressSink& progress)
{
    const QUrl url = parsedAddress(settings.url);
    Download download(settings, stop, progress);
    return download.run(url);
}

} // namespace qv::bench::inet

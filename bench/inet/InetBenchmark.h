#pragma once

#include <QString>

class QUrl;

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace qv::bench::inet {

// An address the Internet benchmark refuses before contacting anyone; the text is the user's.
class InetBenchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kMaxRedirects = 5;

struct InetSettings {
    QString url;                               // http:// or https://, typed by the user
    std::chrono::milliseconds duration{10000}; // the download stops after this long...
    std::int64_t maxBytes = 0;                 // ...or this many bytes (0: no limit)
    std::chrono::milliseconds stallTimeout{5000};
};

struct InetResult {
    QString finalUrl; // after redirects, without user name, password or query
    int redirects = 0;
    int httpStatus = 0;
    std::optional<double> firstByteMs; // from the request to the first byte of the answer
    std::optional<double> mbps;        // 10^6 bit per second, from the first byte of the body
    std::int64_t bytes = 0;            // of the body, as received
    bool wholeBody = false;            // the body ended before the time or size limit
    bool stopped = false;
    QString error; // "TLS: ...", "more than 5 redirects", "the server stopped sending"...
    bool partial() const { return stopped || !error.isEmpty(); }
};

struct InetProgress {
    double mbps = 0;
    double fraction = 0; // of the time
    std::int64_t bytes = 0;
};
using InetProgressSink = std::function<void(const InetProgress&)>;

// The address as it is shown and remembered: no user name, password, query or fragment. Throws
// InetBenchError when it is not an http or https address with a host.
QString checkedAddress(const QString& typed);
// The same, as a URL (throws as checkedAddress does), and a URL as it is shown.
QUrl parsedAddress(const QString& typed);
QString shownAddress(const QUrl& url);

// Downloads from the address for the set time or size, discarding the body (nothing is written to disk,
// no proxy is asked, no cookie is kept), following at most kMaxRedirects redirects. A certificate that
// cannot be verified ends the run with the TLS error and no figure. Runs an event loop of its own on the
// calling thread; returns within a tenth of a second of `stop`.
InetResult runInetBenchmark(const InetSettings& settings, const std::atomic<bool>& stop,
                            const InetProgressSink& progress = {});

// The last address the user measured, in a file of its own (mode 0600) in `folder` (the working
// directory when empty), beside the start-up preference; empty when there is none.
inline const QString kLastAddressFileName = QStringLiteral("QUORVEXNET.CFG");
QString lastAddress(const QString& folder = QString());
// Stores checkedAddress(url); throws std::runtime_error with a readable message when it cannot.
void rememberAddress(const QString& url, const QString& folder = QString());

} // namespace qv::bench::inet

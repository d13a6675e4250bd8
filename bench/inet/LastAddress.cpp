#include "bench/inet/InetBenchmark.h"

#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::bench::inet {

namespace {

constexpr std::size_t kLongestAddress = 2048;

std::string addressPath(const QString& folder)
{
    const QString path =
        folder.isEmpty() ? kLastAddressFileName : QDir(folder).filePath(kLastAddressFileName);
    return QFile::encodeName(path).toStdString();
}

} // namespace

QString lastAddress(const QString& folder)
{
    const auto head = platform::readFileHead(addressPath(folder), kLongestAddress);
    if (!head)
        return {};
    const QString line = QString::fromUtf8(*head).section(QLatin1Char('\n'), 0, 0).trimmed();
    try {
        return checkedAddress(line);
    } catch (const InetBenchError&) {
        return {};
    }
}

void rememberAddress(const QString& url, const QString& folder)
{
    const std::string path = addressPath(folder);
    const std::string line = checkedAddress(url).toStdString() + '\n';
    // Made private before anything is in it; a replacement keeps the file's mode.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0)
        ::close(fd);
    try {
        platform::writeFileTarget(path, line, platform::Existing::ReplaceOwnRegularFile);
    } catch (const platform::FileAccessError& error) {
        throw std::runtime_error("Cannot remember the address in \"" +
                                 QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString() +
                                 "\": " + error.reason());
    }
    ::chmod(path.c_str(), 0600);
}

} // namespace qv::bench::inet

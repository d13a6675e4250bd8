#include "app/TipPreference.h"

#include "platform/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace qv::app {

namespace {

QString preferencePath(const QString& folder)
{
    return folder.isEmpty() ? kPreferenceFileName : QDir(folder).filePath(kPreferenceFileName);
}

[[noreturn]] void raiseWriteError(const QString& path, const QString& reason)
{
    const QString message = QStringLiteral("Cannot save the start-up preference in \"%1\": %2")
                                .arg(QFileInfo(path).absoluteFilePath(), reason);
    throw std::runtime_error(message.toStdString());
}

} // namespace

bool TipsAtStartup(const QString& folder)
{
    // One byte more than the expected line and its CR LF is enough to tell whether the first line is it.
    constexpr std::size_t kEnough = sizeof(kTipsOnLine) + 2;
    const auto start =
        platform::readFileHead(QFile::encodeName(preferencePath(folder)).toStdString(), kEnough);
    if (!start)
        return false;
    QByteArray head = QByteArray::fromStdString(*start);
    const qsizetype lineEnd = head.indexOf('\n');
    if (lineEnd >= 0)
        head.truncate(lineEnd);
    // A carriage return ends the line as well, alone or before a line feed.
    const qsizetype carriageReturn = head.indexOf('\r');
    if (carriageReturn >= 0)
        head.truncate(carriageReturn);
    return head == kTipsOnLine;
}

void writeTipPreference(bool showTips, const QString& folder)
{
    const QString path = preferencePath(folder);
    // Written beside the old file and moved over it, so a full disk never leaves a truncated file. Only a
    // regular file of the user's own is replaced: a link (planted or not) is never written through, and a
    // file the user made read-only keeps its preference.
    const std::string line = std::string(showTips ? kTipsOnLine : kTipsOffLine) + "\r\n";
    try {
        platform::writeFileTarget(QFile::encodeName(path).toStdString(), line,
                                  platform::Existing::ReplaceOwnRegularFile);
    } catch (const platform::FileAccessError& error) {
        raiseWriteError(path, QString::fromLocal8Bit(error.reason()));
    }
}

} // namespace qv::app

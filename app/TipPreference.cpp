#include "app/TipPreference.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>
#include <utility>

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

PreferenceFileFactory& fileFactory()
{
    static PreferenceFileFactory factory;
    return factory;
}

std::unique_ptr<QSaveFile> makePreferenceFile(const QString& path)
{
    return fileFactory() ? fileFactory()(path) : std::make_unique<QSaveFile>(path);
}

} // namespace

PreferenceFileFactory setPreferenceFileFactory(PreferenceFileFactory factory)
{
    return std::exchange(fileFactory(), std::move(factory));
}

bool TipsAtStartup(const QString& folder)
{
    QFile file(preferencePath(folder));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // One byte more than the expected line and its CR LF is enough to tell whether the first line is it.
    constexpr qint64 kEnough = sizeof(kTipsOnLine) + 2;
    QByteArray head = file.read(kEnough);
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
    const QFileInfo existing(path);
    // A file the user made read-only keeps its preference: replacing it would override that choice.
    if (existing.exists() && (!existing.isFile() || !existing.isWritable()))
        raiseWriteError(path, QStringLiteral("access denied"));

    // Written beside the old file and renamed over it, so a full disk never leaves a truncated file.
    // Unbuffered, so that a failed write shows at once: a buffered one fails only when the file is
    // committed, which does not always report it.
    const std::unique_ptr<QSaveFile> file = makePreferenceFile(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        raiseWriteError(path, file->errorString());
    const QByteArray line = QByteArray(showTips ? kTipsOnLine : kTipsOffLine) + "\r\n";
    if (file->write(line) != line.size())
        raiseWriteError(path, file->errorString());
    if (!file->commit())
        raiseWriteError(path, file->errorString());
}

} // namespace qv::app

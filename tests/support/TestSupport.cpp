#include "tests/support/TestSupport.h"

#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>

#include <cctype>
#include <memory>

namespace qv::test {

namespace {
QStringList& reportedErrors()
{
    static QStringList errors;
    return errors;
}
} // namespace

void recordReportedError(const QString& message)
{
    reportedErrors().append(message);
}

QStringList takeReportedErrors()
{
    return std::exchange(reportedErrors(), {});
}

QString saveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = QStringLiteral(QV_TEST_OUTPUT_DIR);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    widget.grab().save(path);
    return path;
}

int countPixels(const QImage& image, const std::function<bool(const QColor&)>& match, const QRect& area)
{
    const QRect scanned = area.isEmpty() ? image.rect() : area.intersected(image.rect());
    int count = 0;
    for (int y = scanned.top(); y <= scanned.bottom(); ++y)
        for (int x = scanned.left(); x <= scanned.right(); ++x)
            count += match(image.pixelColor(x, y));
    return count;
}

int countPixels(const QImage& image, const QColor& colour, const QRect& area)
{
    return countPixels(
        image, [rgb = colour.rgb()](const QColor& pixel) { return pixel.rgb() == rgb; }, area);
}

std::string testName(std::string_view text)
{
    std::string name;
    bool capitalise = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x7F || (std::isalnum(byte) == 0 && c != '_')) {
            capitalise = !name.empty();
            continue;
        }
        name += capitalise ? static_cast<char>(std::toupper(byte)) : c;
        capitalise = false;
    }
    return name;
}

QString packagedVersion()
{
    QFile changelog(QStringLiteral(QV_SOURCE_DIR "/packaging/changelog"));
    if (!changelog.open(QIODevice::ReadOnly))
        return {};
    // "quorvex (3.0.3) unstable; urgency=medium"
    const QString first = QString::fromUtf8(changelog.readLine());
    return first.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0);
}

QString scratchDirectory()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> folders;
    folders.push_back(std::make_unique<QTemporaryDir>());
    return folders.back()->path();
}

void writeSilentWaveFile(const QString& path)
{
    constexpr quint32 kRate = 22050;
    constexpr quint32 kDataSize = 2 * kRate / 20; // 50 ms
    QByteArray wave;
    QDataStream out(&wave, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + kDataSize);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << kRate << quint32(2 * kRate) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << kDataSize;
    wave.append(QByteArray(kDataSize, '\0'));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(wave);
}

} // namespace qv::test

#include "platform/WaveFile.h"

#include "platform/FileAccess.h"

#include <QFile>
#include <QtEndian>

namespace qv::platform {

namespace {

quint16 u16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 u32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

std::optional<WaveSound> readWaveFile(const QString& path, qint64 maxBytes)
{
    QByteArray bytes;
    try {
        bytes = QByteArray::fromStdString(readBoundedFile(QFile::encodeName(path).toStdString(), maxBytes));
    } catch (const FileAccessError&) {
        return std::nullopt;
    }
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;

    // Walk the chunks: "fmt " describes the samples, "data" holds them.
    std::optional<QAudioFormat> format;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qint64 size = u32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (size > bytes.size() - body)
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            const quint16 encoding = u16(bytes, body);
            const quint16 channels = u16(bytes, body + 2);
            const quint32 rate = u32(bytes, body + 4);
            const quint16 bits = u16(bytes, body + 14);
            if (encoding != 1 || channels < 1 || channels > 2 || rate < 1000 || rate > 192000 ||
                (bits != 8 && bits != 16))
                return std::nullopt;
            QAudioFormat pcm;
            pcm.setSampleRate(static_cast<int>(rate));
            pcm.setChannelCount(channels);
            pcm.setSampleFormat(bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
            format = pcm;
        } else if (id == "data" && format) {
            const qsizetype frame = format->bytesPerFrame();
            const QByteArray samples = bytes.mid(body, size - size % frame);
            if (samples.isEmpty())
                return std::nullopt;
            return WaveSound{*format, samples};
        }
        at = body + size + (size & 1); // chunks are padded to an even size
    }
    return std::nullopt;
}

} // namespace qv::platform

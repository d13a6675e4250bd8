#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <optional>

namespace qv::platform {

// A PCM wave file read whole: its sample format and its sample bytes.
struct WaveSound {
    QAudioFormat format;
    QByteArray samples;
};

// Reads an uncompressed PCM wave file (8 or 16 bits, mono or stereo). Anything else, a truncated file
// or one larger than `maxBytes` gives no sound.
std::optional<WaveSound> readWaveFile(const QString& path, qint64 maxBytes = qint64{4} * 1024 * 1024);

} // namespace qv::platform

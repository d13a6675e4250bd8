#include "Chime.h"

#include <QtMath>

#include <algorithm>
#include <vector>

namespace qv::picgen {

namespace {

constexpr int SampleRate = 22050;
constexpr double Duration = 0.17;

struct Tone {
    double start;     // seconds
    double frequency; // Hz
    double level;
};

void putLe(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A soft bell: the fundamental with a quiet octave, a 4 ms attack and an exponential decay.
double bell(const Tone& tone, double t)
{
    const double local = t - tone.start;
    if (local < 0)
        return 0;
    const double attack = std::min(1.0, local / 0.004);
    const double decay = std::exp(-local * 22.0);
    const double phase = 2 * M_PI * tone.frequency * local;
    return tone.level * attack * decay * (std::sin(phase) + 0.25 * std::sin(2 * phase));
}

} // namespace

QByteArray chimeWave()
{
    const Tone tones[] = {{0.0, 1046.5, 0.45}, {0.055, 1568.0, 0.40}};
    const int count = static_cast<int>(SampleRate * Duration);
    const int fadeOut = SampleRate / 50;

    QByteArray samples;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        double v = 0;
        for (const Tone& tone : tones)
            v += bell(tone, t);
        v *= std::min(1.0, static_cast<double>(count - 1 - i) / fadeOut);
        const auto sample = static_cast<qint16>(std::lround(std::clamp(v, -1.0, 1.0) * 32767 * 0.8));
        putLe(samples, static_cast<quint16>(sample), 2);
    }

    QByteArray wave;
    wave += "RIFF";
    putLe(wave, static_cast<quint32>(36 + samples.size()), 4);
    wave += "WAVEfmt ";
    putLe(wave, 16, 4);             // format chunk size
    putLe(wave, 1, 2);              // PCM
    putLe(wave, 1, 2);              // mono
    putLe(wave, SampleRate, 4);     // samples per second
    putLe(wave, SampleRate * 2, 4); // bytes per second
    putLe(wave, 2, 2);              // bytes per sample frame
    putLe(wave, 16, 2);             // bits per sample
    wave += "data";
    putLe(wave, static_cast<quint32>(samples.size()), 4);
    wave += samples;
    return wave;
}

} // namespace qv::picgen

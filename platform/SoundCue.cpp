#include "platform/SoundCue.h"

#include "platform/DataPaths.h"
#include "platform/WaveFile.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>

namespace qv::platform {

namespace {

CueOutcome g_lastOutcome = CueOutcome::None;
std::function<bool()> g_audioOutputProbe;

bool hasAudioOutput()
{
    if (g_audioOutputProbe)
        return g_audioOutputProbe();
    return !QMediaDevices::audioOutputs().isEmpty();
}

// One playing of the cue: the samples stream from memory to the default output; the object removes
// itself when the sound has ended or the output failed.
class CuePlayer : public QObject {
public:
    CuePlayer(const WaveSound& sound, QObject* parent)
        : QObject(parent)
        , m_samples(sound.samples)
        , m_sink(QMediaDevices::defaultAudioOutput(), sound.format, this)
    {
        m_buffer.setData(m_samples);
        m_buffer.open(QIODevice::ReadOnly);
        connect(&m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::IdleState || state == QAudio::StoppedState)
                deleteLater();
        });
        m_sink.start(&m_buffer);
        if (m_sink.error() != QAudio::NoError)
            deleteLater();
    }

private:
    QByteArray m_samples;
    QBuffer m_buffer;
    QAudioSink m_sink;
};

QPointer<CuePlayer> g_player;

} // namespace

QString locateSoundCue()
{
    for (const QString& folder : {QDir::currentPath(), dataDirectory()}) {
        const QFileInfo candidate(QDir(folder).filePath(kSoundCueFileName));
        if (candidate.exists())
            return candidate.absoluteFilePath();
    }
    return {};
}

CueOutcome PlaySoundCue()
{
    // A missing or unplayable file, or no output, gives the default beep, as the system sound player did.
    const QString file = locateSoundCue();
    const std::optional<WaveSound> sound = file.isEmpty() ? std::nullopt : readWaveFile(file);
    if (!sound || !hasAudioOutput()) {
        QApplication::beep();
        g_lastOutcome = CueOutcome::Beeped;
        return g_lastOutcome;
    }
    delete g_player; // a new cue replaces one still playing
    g_player = new CuePlayer(*sound, qApp);
    g_lastOutcome = CueOutcome::Played;
    return g_lastOutcome;
}

CueOutcome lastCueOutcome()
{
    return g_lastOutcome;
}

AudioOutputProbe setAudioOutputProbe(AudioOutputProbe probe)
{
    return std::exchange(g_audioOutputProbe, std::move(probe));
}

} // namespace qv::platform

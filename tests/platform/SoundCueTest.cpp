#include "platform/SoundCue.h"
#include "platform/DataPaths.h"
#include "platform/WaveFile.h"
#include "tests/support/TestSupport.h"

#include <QAudioDevice>
#include <QDir>
#include <QFile>
#include <QMediaDevices>

#include <gtest/gtest.h>

using namespace qv::platform;

namespace {

// Runs each test in an empty working directory with a scripted audio output.
class SoundCueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(qv::test::scratchDirectory());
    }
    void TearDown() override { QDir::setCurrent(m_previous); }
    static void writeCueFile() { qv::test::writeSilentWaveFile(QStringLiteral("QUORVEX.001")); }

private:
    QString m_previous;
};

} // namespace

TEST_F(SoundCueTest, TheFileInTheWorkingDirectoryComesFirst)
{
    writeCueFile();
    EXPECT_EQ(locateSoundCue(), QDir::current().absoluteFilePath(QStringLiteral("QUORVEX.001")));
}

TEST_F(SoundCueTest, PlaysWhenTheFileAndAnAudioOutputExist)
{
    writeCueFile();
    const ScopedAudioOutputProbe audio([] { return true; });
    EXPECT_EQ(PlaySoundCue(), CueOutcome::Played);
    EXPECT_EQ(lastCueOutcome(), CueOutcome::Played);
}

TEST_F(SoundCueTest, BeepsWithoutAnAudioOutput)
{
    writeCueFile();
    const ScopedAudioOutputProbe noAudio([] { return false; });
    EXPECT_EQ(PlaySoundCue(), CueOutcome::Beeped);
}

TEST_F(SoundCueTest, AFileThatIsNotAWaveFileBeepsInsteadOfReachingThePlayer)
{
    const ScopedAudioOutputProbe audio([] { return true; });
    for (const QByteArray& content : {QByteArray(), QByteArray("RIFF"), QByteArray(100, 'x')}) {
        QFile file(QStringLiteral("QUORVEX.001"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_EQ(PlaySoundCue(), CueOutcome::Beeped) << content.size() << " bytes";
    }
}

TEST_F(SoundCueTest, FallsBackToTheDataFolderAndBeepsWhenTheFileIsMissingEverywhere)
{
    const QString dataFolder = qv::test::scratchDirectory();
    const ScopedDataDirectory data(dataFolder);
    const ScopedAudioOutputProbe audio([] { return true; });
    EXPECT_TRUE(locateSoundCue().isEmpty());
    EXPECT_EQ(PlaySoundCue(), CueOutcome::Beeped);

    qv::test::writeSilentWaveFile(QDir(dataFolder).filePath(QStringLiteral("QUORVEX.001")));
    EXPECT_EQ(locateSoundCue(), QDir(dataFolder).filePath(QStringLiteral("QUORVEX.001")));
    EXPECT_EQ(PlaySoundCue(), CueOutcome::Played);
}

TEST_F(SoundCueTest, WithoutAScriptedProbeTheSystemsAudioOutputsDecide)
{
    writeCueFile();
    const CueOutcome expected =
        QMediaDevices::audioOutputs().isEmpty() ? CueOutcome::Beeped : CueOutcome::Played;
    EXPECT_EQ(PlaySoundCue(), expected);
}

TEST(WaveFile, TheProgramsCueIsAShortMonoPcmSound)
{
    const auto sound = readWaveFile(QStringLiteral(QV_SOURCE_DIR "/forms/sounds/QUORVEX.001"));
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->format.sampleRate(), 22050);
    EXPECT_EQ(sound->format.channelCount(), 1);
    EXPECT_EQ(sound->format.sampleFormat(), QAudioFormat::Int16);
    const qint64 milliseconds = sound->format.durationForBytes(sound->samples.size()) / 1000;
    EXPECT_GT(milliseconds, 50);
    EXPECT_LT(milliseconds, 500);
}

TEST(WaveFile, DamagedFilesGiveNoSound)
{
    const QString folder = qv::test::scratchDirectory();
    const QString good = QDir(folder).filePath(QStringLiteral("good.wav"));
    qv::test::writeSilentWaveFile(good);
    QFile source(good);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray wave = source.readAll();
    ASSERT_TRUE(readWaveFile(good).has_value());

    QByteArray oversizedChunk = wave;
    oversizedChunk[40] = '\xff'; // the data chunk claims more bytes than the file holds
    QByteArray compressed = wave;
    compressed[20] = 2; // not PCM
    const std::pair<const char*, QByteArray> damaged[] = {{"truncated", wave.left(30)},
                                                          {"oversized chunk", oversizedChunk},
                                                          {"compressed", compressed},
                                                          {"no data chunk", wave.left(36)}};
    for (const auto& [name, content] : damaged) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        EXPECT_FALSE(readWaveFile(path).has_value()) << name;
    }
    EXPECT_FALSE(readWaveFile(good, 40).has_value()) << "larger than the limit";
}

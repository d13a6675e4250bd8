#pragma once

#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/SoundCue.h"
#include "tests/support/TestSupport.h"

#include <QDialog>
#include <QDir>
#include <QStringList>
#include <QUrl>

#include <gtest/gtest.h>

// Window tests run in an empty working directory, with every way out of the program recorded instead
// of happening: modal dialogs, message boxes, the shell and the audio output.
class WindowTest : public qv::test::ErrorCheckedTest {
protected:
    void SetUp() override
    {
        ErrorCheckedTest::SetUp();
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(qv::test::scratchDirectory());
    }

    void TearDown() override
    {
        QDir::setCurrent(m_previousFolder);
        ErrorCheckedTest::TearDown();
    }

    QStringList shownDialogs;
    QStringList messages;
    QStringList openedUrls;

private:
    QString m_previousFolder;
    qv::platform::ScopedModalRunner m_modalRunner{[this](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        return int(QDialog::Accepted);
    }};
    qv::platform::ScopedInformationPresenter m_informationPresenter{
        [this](QWidget*, const QString& text) { messages.append(text); }};
    qv::platform::ScopedShellOpener m_shellOpener{
        [this](const QUrl& url) { openedUrls.append(url.toString()); }};
    // Every cue finds an audio output; the probe counts the cues that asked for one.
    qv::platform::ScopedAudioOutputProbe m_audioOutputProbe{[this] {
        ++cues;
        return true;
    }};

protected:
    int cues = 0;
};

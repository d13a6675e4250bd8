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
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(qv::test::scratchDirectory());
        qv::platform::setModalRunner([this](QDialog& dialog) {
            shownDialogs.append(dialog.objectName());
            return int(QDialog::Accepted);
        });
        qv::platform::setInformationPresenter(
            [this](QWidget*, const QString& text) { messages.append(text); });
        qv::platform::setShellOpener([this](const QUrl& url) { openedUrls.append(url.toString()); });
        qv::platform::setAudioOutputProbe([] { return true; });
        qv::test::takeReportedErrors();
    }

    void TearDown() override
    {
        qv::platform::setModalRunner({});
        qv::platform::setInformationPresenter({});
        qv::platform::setShellOpener({});
        qv::platform::setAudioOutputProbe({});
        QDir::setCurrent(m_previousFolder);
        EXPECT_TRUE(qv::test::takeReportedErrors().isEmpty());
    }

    QStringList shownDialogs;
    QStringList messages;
    QStringList openedUrls;

private:
    QString m_previousFolder;
};

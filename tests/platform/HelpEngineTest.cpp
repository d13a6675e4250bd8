#include "platform/HelpEngine.h"
#include "platform/HelpWindow.h"
#include "tests/support/TestSupport.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

using qv::platform::HelpEngine;
using qv::platform::HelpWindow;

namespace {

class HelpEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_file = QDir(qv::test::scratchDirectory()).filePath(QStringLiteral("help.html"));
        QFile file(m_file);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"(<html><body><a name="context-0"></a><h1>Contents</h1>
                      <a name="context-201"></a><h2>Processor benchmark</h2></body></html>)");
        file.close();
        m_previousFile = engine().helpFile();
        engine().setHelpFile(m_file);
    }
    void TearDown() override { engine().setHelpFile(m_previousFile); }
    static HelpEngine& engine() { return HelpEngine::instance(); }

    QString m_file;
    QString m_previousFile;
};

} // namespace

TEST_F(HelpEngineTest, AKnownContextOpensItsOwnAnchor)
{
    EXPECT_EQ(engine().topicUrl(201).fragment(), QStringLiteral("context-201"));
    EXPECT_EQ(engine().topicUrl(201).toLocalFile(), m_file);
}

TEST_F(HelpEngineTest, AnUnknownContextOpensTheContents)
{
    EXPECT_EQ(engine().topicUrl(4711).fragment(), QStringLiteral("context-0"));
}

TEST_F(HelpEngineTest, AMissingHelpFileShowsNothing)
{
    engine().setHelpFile(m_file + QStringLiteral(".missing"));
    QWidget window;
    EXPECT_FALSE(engine().showHelp(&window, 201));
    EXPECT_EQ(engine().lastRequestedContext(), 201);
    EXPECT_EQ(window.findChild<HelpWindow*>(), nullptr);
}

TEST_F(HelpEngineTest, TheHelpWindowBelongsToTheAskingDialogAndIsReused)
{
    QWidget main;
    QDialog dialog(&main);
    dialog.show();
    ASSERT_TRUE(engine().showHelp(&dialog, 201));
    auto* help = dialog.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentSource().fragment(), QStringLiteral("context-201"));

    ASSERT_TRUE(engine().showHelp(&dialog, 0));
    EXPECT_EQ(dialog.findChildren<HelpWindow*>().size(), 1);
    EXPECT_EQ(help->currentSource().fragment(), QStringLiteral("context-0"));
}

TEST_F(HelpEngineTest, F1InABoundWindowShowsItsTopic)
{
    QDialog dialog;
    HelpEngine::bindHelpKey(&dialog, 201);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(engine().lastRequestedContext(), 201);
}

#include "AppTestSupport.h"
#include "app/AboutBox.h"
#include "app/ConseilDuJourDlg.h"
#include "app/TipPreference.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <string>

namespace {

QByteArray preferenceFile()
{
    QFile file(qv::app::kPreferenceFileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Ten numbered tips and a scripted first draw.
TipSource tenTips(std::int32_t firstDraw)
{
    return {[] { return 10; },
            [](std::int32_t number, std::string& text) { text = "Tip " + std::to_string(number); },
            [firstDraw](std::int32_t) { return firstDraw; }};
}

class TipWindowTest : public WindowTest {};
class AboutWindowTest : public WindowTest {};

} // namespace

TEST_F(TipWindowTest, OpeningRewritesThePreferenceOnceAndUncheckingTurnsItOff)
{
    TConseilDuJourDlg window(nullptr, tenTips(3));
    window.show();
    EXPECT_EQ(window.currentTip(), 4);
    EXPECT_EQ(window.tipText(), QStringLiteral("Tip 4"));
    EXPECT_TRUE(window.showTipsChecked());
    EXPECT_EQ(preferenceFile(), QByteArray("ConseilAuDemarrage=OUI;\r\n"));

    window.findChild<QCheckBox*>(QStringLiteral("AffichageAuDemarrage"))->click();
    EXPECT_EQ(preferenceFile(), QByteArray("ConseilAuDemarrage=NON;\r\n"));
}

TEST_F(TipWindowTest, NextTipWrapsFromTheLastToTheFirst)
{
    TConseilDuJourDlg window(nullptr, tenTips(9));
    window.show();
    EXPECT_EQ(window.currentTip(), 10);
    window.Button2Click();
    EXPECT_EQ(window.currentTip(), 1);
    EXPECT_EQ(window.tipText(), QStringLiteral("Tip 1"));
    window.Button2Click();
    EXPECT_EQ(window.tipText(), QStringLiteral("Tip 2"));
}

TEST_F(TipWindowTest, WithoutTipsTheNumberIsOneAndTheTextWhatTheLibraryLeft)
{
    TConseilDuJourDlg window(nullptr, {[] { return 0; }, [](std::int32_t, std::string&) {},
                                       [](std::int32_t limit) {
                                           EXPECT_EQ(limit, 0);
                                           return 0;
                                       }});
    window.show();
    EXPECT_EQ(window.currentTip(), 1);
    EXPECT_TRUE(window.tipText().isEmpty());
    window.Button2Click();
    EXPECT_EQ(window.currentTip(), 1);
}

TEST_F(TipWindowTest, TheRealLibraryGivesATipInRange)
{
    TConseilDuJourDlg window;
    window.show();
    EXPECT_GE(window.tipCount(), 30);
    EXPECT_GE(window.currentTip(), 1);
    EXPECT_LE(window.currentTip(), window.tipCount());
    EXPECT_FALSE(window.tipText().isEmpty());
    qv::test::saveScreenshot(window, QStringLiteral("tip-of-the-day"));
}

TEST_F(TipWindowTest, AFailedWriteIsReportedAndTheWindowStaysOpen)
{
    QDir().mkdir(qv::app::kPreferenceFileName); // a folder where the file should go
    TConseilDuJourDlg window(nullptr, tenTips(0));
    window.show();
    const QStringList errors = qv::test::takeReportedErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains(qv::app::kPreferenceFileName)) << errors.first().toStdString();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.tipText(), QStringLiteral("Tip 1"));
}

TEST_F(TipWindowTest, OkAndItsAcceleratorCloseTheWindow)
{
    TConseilDuJourDlg window(nullptr, tenTips(0));
    window.show();
    window.buttonOKClick();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);

    TConseilDuJourDlg second(nullptr, tenTips(0));
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
    QTest::keyClick(&second, Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(second.currentTip(), 2);
    QTest::keyClick(&second, Qt::Key_O, Qt::AltModifier);
    EXPECT_FALSE(second.isVisible());
}

TEST_F(AboutWindowTest, ShowsVersionKernelAndOpensTheLinks)
{
    TAboutBox about;
    about.show();
    EXPECT_EQ(about.versionText(), QStringLiteral("Version 3.0.3 - 07/11/2002"));
    EXPECT_EQ(about.kernelText(), QStringLiteral("Kernel NT"));
    qv::test::saveScreenshot(about, QStringLiteral("about"));

    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("Label5")), Qt::LeftButton);
    EXPECT_EQ(openedUrls, (QStringList{QStringLiteral("https://www.quorvex.example/"),
                                       QStringLiteral("mailto:support@quorvex.example")}));

    about.OKButtonClick();
    EXPECT_FALSE(about.isVisible());
}

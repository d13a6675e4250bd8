#include "AppTestSupport.h"
#include "app/QuorvexMain.h"
#include "app/TipPreference.h"
#include "bench/ui/BenchWindows.h"
#include "bench/ui/PerfCPUDlg.h"
#include "bench/ui/PerfMemoireDlg.h"
#include "platform/CursorTable.h"
#include "platform/Dialogs.h"
#include "platform/HelpEngine.h"
#include "platform/IcmpEcho.h"
#include "platform/LinuxSystemFacts.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/Fifo.h"
#include "widgets/TransBtn.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>

using qv::app::Command;
using qv::app::CommandKind;

namespace {

class MainWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // A cue file in the working directory, so every cue asks the audio probe, which counts it.
        qv::test::writeSilentWaveFile(QStringLiteral("QUORVEX.001"));
    }

    // The window after start-up: shown and activated, with the tip preference off.
    std::unique_ptr<TQuorvexMain> startedWindow()
    {
        auto window = std::make_unique<TQuorvexMain>();
        window->show();
        window->FormActivate();
        cues = 0;
        return window;
    }

    static QString tabButtonName(int group)
    {
        static const char* const names[] = {"buttonOngletTestPerf", "buttonOngletInfo", "buttonOngletExperts",
                                            "buttonOngletOutils"};
        return QString::fromLatin1(names[group]);
    }
};

} // namespace

TEST_F(MainWindowTest, StartsOnTheBenchmarkPageWithAnEmptyHintLineAndNoTipWhenTheyAreOff)
{
    qv::app::writeTipPreference(false);
    TQuorvexMain window;
    EXPECT_TRUE(window.hintLine().isEmpty());
    window.show();
    QTest::qWait(20); // the activation handler runs queued after the first show
    EXPECT_EQ(window.currentGroup(), 0);
    EXPECT_TRUE(shownDialogs.isEmpty());
}

TEST_F(MainWindowTest, APreferenceFileThatIsAFifoNeitherBlocksNorShowsATip)
{
    ASSERT_TRUE(qv::test::makeFifo(qv::app::kPreferenceFileName.toStdString()));
    TQuorvexMain window;
    EXPECT_TRUE(qv::test::endsWithoutAWriter(qv::app::kPreferenceFileName.toStdString(), [&] {
        window.show();
        QTest::qWait(20);
    })) << "start-up waited for a writer of the preference FIFO";
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(shownDialogs.isEmpty());
    QFile::remove(qv::app::kPreferenceFileName);
}

TEST_F(MainWindowTest, ShowsTheTipOfTheDayOnceWhenTheyAreOn)
{
    qv::app::writeTipPreference(true);
    TQuorvexMain window;
    window.show();
    QTest::qWait(20);
    EXPECT_EQ(shownDialogs, QStringList{QStringLiteral("ConseilDuJourDlg")});

    // Coming back from a dialog shows the window again: no second tip, the page stays.
    window.findChild<TTransparentButton*>(tabButtonName(3))->click();
    window.hide();
    window.show();
    QTest::qWait(20);
    EXPECT_EQ(shownDialogs.size(), 1);
    EXPECT_EQ(window.currentGroup(), 3);
}

TEST_F(MainWindowTest, TabButtonsPlayTheCueAndSwitchPageAndStrip)
{
    auto window = startedWindow();
    auto* strip = window->findChild<QLabel*>(QStringLiteral("MenuImage"));
    for (int group : {1, 2, 3, 0}) {
        SCOPED_TRACE(group);
        QTest::mouseClick(window->findChild<TTransparentButton*>(tabButtonName(group)), Qt::LeftButton);
        EXPECT_EQ(window->currentGroup(), group);
        const auto* picture = window->findChild<QLabel*>(QStringLiteral("ImageMenu%1").arg(group + 1));
        EXPECT_EQ(strip->pixmap().toImage(), picture->pixmap().toImage());
        qv::test::saveScreenshot(*window, QStringLiteral("main-window-page-%1").arg(group + 1));
    }
    EXPECT_EQ(cues, 4);
}

TEST_F(MainWindowTest, EveryButtonAndMenuItemReachesItsCommandWithoutChangingThePage)
{
    auto window = startedWindow();
    window->findChild<TTransparentButton*>(tabButtonName(2))->click();
    for (const auto& info : qv::app::allCommands()) {
        if (info.kind != CommandKind::NotAvailable)
            continue;
        SCOPED_TRACE(info.menuItem.objectName);
        const QString expected = QString::fromUtf8(info.title) +
                                 QStringLiteral(" is not available in this version of Quorvex 2003.");
        messages.clear();
        window->menuAction(info.command)->trigger();
        if (auto* button = window->commandButton(info.command))
            button->click();
        EXPECT_EQ(messages, QStringList(info.button.objectName ? 2 : 1, expected));
        EXPECT_EQ(window->currentGroup(), 2);
    }
    EXPECT_EQ(cues, 1) << "only the tab button plays the cue";
    EXPECT_TRUE(shownDialogs.isEmpty());
}

// The processor window opens from its button and its menu item, each time anew, and leaves the
// default cursor behind.
TEST_F(MainWindowTest, ProcessorInformationOpensItsWindowEachTime)
{
    const qv::test::ScopedDump processor(
        qv::test::ScopedDump::fromText(qv::test::loadDumpText("amd-k6-2.txt") + "CLOCK 350.0\n"));
    QStringList titles;
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        dialog.show();
        if (auto* title = dialog.findChild<QLabel*>(QStringLiteral("TypeProcesseur")))
            titles.append(title->text());
        dialog.hide();
        return int(QDialog::Accepted);
    });
    auto window = startedWindow();
    window->commandButton(Command::InfoProcessor)->click();
    window->menuAction(Command::InfoProcessor)->trigger();
    EXPECT_EQ(shownDialogs, QStringList(2, QStringLiteral("InfoCPUDlg")));
    EXPECT_EQ(titles, QStringList(2, QStringLiteral("AMD K6-2 at 350 Mhz")));
    EXPECT_EQ(cues, 2);
    EXPECT_EQ(qv::platform::selectedScreenCursor(), qv::platform::kDefaultCursorSlot);
}

// The operating-system window opens from its button and its menu item with this machine's facts.
TEST_F(MainWindowTest, OperatingSystemInformationOpensItsWindow)
{
    QStringList platforms;
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        dialog.show();
        if (auto* platform = dialog.findChild<QLabel*>(QStringLiteral("Plateforme")))
            platforms.append(platform->text());
        dialog.hide();
        return int(QDialog::Accepted);
    });
    auto window = startedWindow();
    window->commandButton(Command::InfoOperatingSystem)->click();
    window->menuAction(Command::InfoOperatingSystem)->trigger();
    EXPECT_EQ(shownDialogs, QStringList(2, QStringLiteral("InfoSystemeDlg")));
    EXPECT_EQ(platforms, QStringList(2, qv::platform::LinuxSystemFacts().version().platformName));
    EXPECT_EQ(cues, 2);
}

// The network check opens from its button; without any echo mechanism its window cannot be created and
// the reason is shown instead.
TEST_F(MainWindowTest, NetworkCheckOpensItsWindowOrSaysWhyNot)
{
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        return int(QDialog::Accepted);
    });
    auto window = startedWindow();
    if (qv::platform::openIcmpEcho()) {
        window->commandButton(Command::ToolNetworkCheck)->click();
        EXPECT_EQ(shownDialogs, QStringList{QStringLiteral("NetDlg")});
    }
    const qv::platform::ScopedIcmpEchoOpener none(
        [](auto) { return std::unique_ptr<qv::platform::IcmpEcho>(); });
    window->menuAction(Command::ToolNetworkCheck)->trigger();
    EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("Unable to get ping handle")});
}

TEST_F(MainWindowTest, ButtonsOfTheFunctionsOfThisVersionStandOutAndTheOthersGreyUntilHovered)
{
    auto window = startedWindow();
    for (const auto& info : qv::app::allCommands()) {
        if (auto* button = window->commandButton(info.command)) {
            SCOPED_TRACE(info.button.objectName);
            EXPECT_EQ(button->FrameStyle(), info.kind == CommandKind::Window
                                                ? TTransparentButton::fsIndent
                                                : TTransparentButton::fsExplorer);
            EXPECT_FALSE(button->Glyph().isNull());
            EXPECT_EQ(button->statusTip(), QString::fromUtf8(info.button.hint));
        }
    }
}

TEST_F(MainWindowTest, HelpAboutWebAndMailCommands)
{
    auto window = startedWindow();
    window->menuAction(Command::About)->trigger();
    window->menuAction(Command::Help)->trigger();
    window->menuAction(Command::Faq)->trigger();
    window->menuAction(Command::Contact)->trigger();
    EXPECT_EQ(shownDialogs, QStringList{QStringLiteral("AboutBox")});
    EXPECT_EQ(qv::platform::HelpEngine::instance().lastRequestedContext(), 0);
    EXPECT_EQ(openedUrls, (QStringList{QStringLiteral("https://www.quorvex.example/faq_help.htm"),
                                       QStringLiteral("mailto:support@quorvex.example")}));
    EXPECT_EQ(cues, 0);

    window->menuAction(Command::Quit)->trigger();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, TheHintLineFollowsThePointerAndTheHighlightedMenuItem)
{
    auto window = startedWindow();
    auto* button = window->commandButton(Command::PerfMemory);
    QTest::mouseMove(button, QPoint(10, 10));
    EXPECT_EQ(window->hintLine(),
              QStringLiteral("Test the performances of memory sub-system (RAM, cache, bus)"));
    QTest::mouseMove(window->findChild<QLabel*>(QStringLiteral("Image1")), QPoint(5, 5));
    EXPECT_TRUE(window->hintLine().isEmpty());

    QMenu* benchmarks = window->findChild<QMenu*>(QStringLiteral("Performances1"));
    benchmarks->popup(window->mapToGlobal(QPoint(0, 0)));
    benchmarks->setActiveAction(window->menuAction(Command::Perf3D));
    EXPECT_EQ(window->hintLine(), QStringLiteral("Test the display's performances in 3D mode (DirectX)"));

    // F1 on the highlighted item asks for that item's topic.
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(benchmarks, &f1);
    EXPECT_EQ(qv::platform::HelpEngine::instance().lastRequestedContext(), 2041);
    EXPECT_FALSE(benchmarks->isVisible());
}

TEST_F(MainWindowTest, BenchmarkButtonsOpenTheirIntroductionsAndCancelRunsNothing)
{
    QWidget owner;
    const qv::benchui::BenchWindows benchWindows(owner);
    int kernelCalls = 0;
    const auto rate = [&](double) {
        ++kernelCalls;
        return 1.0;
    };
    benchWindows.PerfCPUDlg().setKernels({rate, rate, rate});
    benchWindows.PerfMemoireDlg().setKernel([&] {
        ++kernelCalls;
        return qv::bench::MemoryBenchmarkFigures{};
    });
    const qv::platform::ScopedModalRunner cancelling([this](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        dialog.findChild<TTransparentButton*>(QStringLiteral("TransparentButton1"))->click();
        return int(QDialog::Rejected);
    });

    auto window = startedWindow();
    window->commandButton(Command::PerfProcessor)->click();
    window->commandButton(Command::PerfMemory)->click();
    EXPECT_EQ(shownDialogs,
              (QStringList{QStringLiteral("PerfCPUInfoDlg"), QStringLiteral("PerfMemoireInfoDlg")}));
    EXPECT_EQ(cues, 2);
    EXPECT_EQ(kernelCalls, 0);
    EXPECT_TRUE(benchWindows.PerfCPUDlg().chartAfterRun());
    EXPECT_TRUE(benchWindows.PerfMemoireDlg().chartAfterRun());
    EXPECT_FALSE(benchWindows.PerfMemoireDlg().isVisible());
}

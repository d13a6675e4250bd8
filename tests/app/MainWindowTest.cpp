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
#include "platform/NetworkNeighbourhood.h"
#include "tests/cpu/CpuTestSupport.h"
#include "tests/support/Accessible.h"
#include "tests/support/Fifo.h"
#include "widgets/TransBtn.h"

#include <QAccessibleActionInterface>
#include <QApplication>
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

    // A command runs from a queued call: these ask for it and let it run.
    static void choose(QAction* item)
    {
        item->trigger();
        QCoreApplication::processEvents();
    }

    static void press(TTransparentButton* button)
    {
        button->click();
        QCoreApplication::processEvents();
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
        choose(window->menuAction(info.command));
        if (auto* button = window->commandButton(info.command))
            press(button);
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
    press(window->commandButton(Command::InfoProcessor));
    choose(window->menuAction(Command::InfoProcessor));
    EXPECT_EQ(shownDialogs, QStringList(2, QStringLiteral("InfoCPUDlg")));
    EXPECT_EQ(titles, QStringList(2, QStringLiteral("AMD K6-2 at 350 Mhz")));
    EXPECT_EQ(cues, 2);
    EXPECT_EQ(qv::platform::selectedScreenCursor(), qv::platform::kDefaultCursorSlot);
}

// The hard disk benchmark is a window of our own: it opens from its button and its menu item, without
// the cue.
TEST_F(MainWindowTest, HardDiskBenchmarkOpensItsOwnWindowWithoutTheCue)
{
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        return int(QDialog::Accepted);
    });
    auto window = startedWindow();
    press(window->commandButton(Command::PerfDisk));
    choose(window->menuAction(Command::PerfDisk));
    EXPECT_EQ(shownDialogs, QStringList(2, QStringLiteral("DiskBenchDlg")));
    EXPECT_EQ(cues, 0);
}

// File › Open results and File › Report are windows of our own: the open dialog and the report open
// from their menu items, without the cue.
TEST_F(MainWindowTest, OpenResultsAndReportOpenTheirOwnWindowsWithoutTheCue)
{
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        return int(QDialog::Rejected);
    });
    auto window = startedWindow();
    choose(window->menuAction(Command::OpenResults));
    choose(window->menuAction(Command::Report));
    EXPECT_EQ(shownDialogs, (QStringList{QStringLiteral("OpenDialog"), QStringLiteral("ReportDlg")}));
    EXPECT_EQ(cues, 0);
    EXPECT_EQ(messages, QStringList());
}

// The display benchmarks are windows of our own too, each with its help topic.
TEST_F(MainWindowTest, DisplayBenchmarksOpenTheirOwnWindowsWithoutTheCue)
{
    QStringList topics;
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        QMetaObject::invokeMethod(&dialog, "HelpClick");
        topics.append(QString::number(qv::platform::HelpEngine::instance().lastRequestedContext()));
        return int(QDialog::Accepted);
    });
    auto window = startedWindow();
    for (const Command command : {Command::PerfDisplay, Command::Perf3D}) {
        press(window->commandButton(command));
        choose(window->menuAction(command));
    }
    EXPECT_EQ(shownDialogs,
              (QStringList{QStringLiteral("Display2DBenchDlg"), QStringLiteral("Display2DBenchDlg"),
                           QStringLiteral("Display3DBenchDlg"), QStringLiteral("Display3DBenchDlg")}));
    EXPECT_EQ(topics, (QStringList{QStringLiteral("204"), QStringLiteral("204"), QStringLiteral("2041"),
                                   QStringLiteral("2041")}));
    EXPECT_EQ(cues, 0);
}

// The network and Internet benchmarks are windows of our own: they open from their buttons and menu items,
// without the cue.
TEST_F(MainWindowTest, NetworkAndInternetBenchmarksOpenTheirOwnWindowsWithoutTheCue)
{
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        return int(QDialog::Accepted);
    });
    auto window = startedWindow();
    for (const auto& [command, name] : {std::pair{Command::PerfNetwork, QStringLiteral("NetBenchDlg")},
                                        std::pair{Command::PerfInternet, QStringLiteral("InetBenchDlg")}}) {
        shownDialogs.clear();
        press(window->commandButton(command));
        choose(window->menuAction(command));
        EXPECT_EQ(shownDialogs, QStringList(2, name));
    }
    EXPECT_EQ(cues, 0);
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
    press(window->commandButton(Command::InfoOperatingSystem));
    choose(window->menuAction(Command::InfoOperatingSystem));
    EXPECT_EQ(shownDialogs, QStringList(2, QStringLiteral("InfoSystemeDlg")));
    EXPECT_EQ(platforms, QStringList(2, qv::platform::LinuxSystemFacts().version().platformName));
    EXPECT_EQ(cues, 2);
}

// The hardware windows open from their buttons and menu items, without the cue.
TEST_F(MainWindowTest, HardwareInformationOpensItsOwnWindowsWithoutACue)
{
    const qv::platform::ScopedWorkgroupQuery workgroup([] { return std::optional<QString>(); });
    auto window = startedWindow();
    const QList<std::pair<Command, QString>> windows{
        {Command::InfoMemory, QStringLiteral("InfoMemoireDlg")},
        {Command::InfoMotherboard, QStringLiteral("InfoCarteMereDlg")},
        {Command::InfoDrives, QStringLiteral("InfoDisquesDlg")},
        {Command::InfoVideo, QStringLiteral("InfoVideoDlg")},
        {Command::InfoNetwork, QStringLiteral("InfoReseauDlg")},
        {Command::InfoPrograms, QStringLiteral("InfoApplicationsDlg")},
        {Command::InfoSummary, QStringLiteral("InfoResumeDlg")}};
    for (const auto& [command, name] : windows) {
        shownDialogs.clear();
        press(window->commandButton(command));
        choose(window->menuAction(command));
        EXPECT_EQ(shownDialogs, QStringList(2, name));
    }
    EXPECT_EQ(cues, 0);
    EXPECT_EQ(messages, QStringList());
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
        press(window->commandButton(Command::ToolNetworkCheck));
        EXPECT_EQ(shownDialogs, QStringList{QStringLiteral("NetDlg")});
    }
    const qv::platform::ScopedIcmpEchoOpener none(
        [](auto) { return std::unique_ptr<qv::platform::IcmpEcho>(); });
    choose(window->menuAction(Command::ToolNetworkCheck));
    EXPECT_EQ(qv::test::takeReportedErrors(), QStringList{QStringLiteral("Unable to get ping handle")});
}

// The stability test is a window of our own: it opens from its button and its menu item without a sound cue.
TEST_F(MainWindowTest, StabilityTestOpensItsWindowWithoutACue)
{
    const qv::platform::ScopedModalRunner showing([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        return int(QDialog::Accepted);
    });
    auto window = startedWindow();
    press(window->commandButton(Command::ToolStability));
    choose(window->menuAction(Command::ToolStability));
    EXPECT_EQ(shownDialogs, QStringList(2, QStringLiteral("StressDlg")));
    EXPECT_EQ(cues, 0);
}

TEST_F(MainWindowTest, ButtonsOfTheFunctionsOfThisVersionStandOutAndTheOthersGreyUntilHovered)
{
    auto window = startedWindow();
    for (const auto& info : qv::app::allCommands()) {
        if (auto* button = window->commandButton(info.command)) {
            SCOPED_TRACE(info.button.objectName);
            EXPECT_EQ(button->FrameStyle(),
                      info.kind == CommandKind::Window || info.kind == CommandKind::OwnWindow
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
    choose(window->menuAction(Command::About));
    choose(window->menuAction(Command::Help));
    choose(window->menuAction(Command::Faq));
    choose(window->menuAction(Command::Contact));
    EXPECT_EQ(shownDialogs, QStringList{QStringLiteral("AboutBox")});
    EXPECT_EQ(qv::platform::HelpEngine::instance().lastRequestedContext(), 0);
    EXPECT_EQ(openedUrls, (QStringList{QStringLiteral("https://www.quorvex.example/faq_help.htm"),
                                       QStringLiteral("mailto:support@quorvex.example")}));
    EXPECT_EQ(cues, 0);

    choose(window->menuAction(Command::Quit));
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
    press(window->commandButton(Command::PerfProcessor));
    press(window->commandButton(Command::PerfMemory));
    EXPECT_EQ(shownDialogs,
              (QStringList{QStringLiteral("PerfCPUInfoDlg"), QStringLiteral("PerfMemoireInfoDlg")}));
    EXPECT_EQ(cues, 2);
    EXPECT_EQ(kernelCalls, 0);
    EXPECT_TRUE(benchWindows.PerfCPUDlg().chartAfterRun());
    EXPECT_TRUE(benchWindows.PerfMemoireDlg().chartAfterRun());
    EXPECT_FALSE(benchWindows.PerfMemoireDlg().isVisible());
}

// A command answers its caller at once and opens its window from a queued call; asking again while the
// window is open (as an assistive tool can, through the open window) opens nothing.
TEST_F(MainWindowTest, CommandsRunQueuedAndOneAtATime)
{
    auto window = startedWindow();
    QAction* about = window->menuAction(Command::About);
    const qv::platform::ScopedModalRunner nesting([&](QDialog& dialog) {
        shownDialogs.append(dialog.objectName());
        if (shownDialogs.size() == 1) { // asks again from the first window only, should that one open
            choose(about);
            press(window->commandButton(Command::InfoMemory));
        }
        return int(QDialog::Accepted);
    });
    // Pressed as an assistive tool presses it, then again from the menu.
    QAccessible::queryAccessibleInterface(about)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    about->trigger();
    EXPECT_TRUE(shownDialogs.isEmpty()) << "the menu item's action returned before the window opened";
    EXPECT_TRUE(window->isCommandRunning());
    QCoreApplication::processEvents();
    EXPECT_EQ(shownDialogs, QStringList{QStringLiteral("AboutBox")});
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(window->isCommandRunning());

    choose(about);
    EXPECT_EQ(shownDialogs.size(), 2) << "once the window closed, the command runs again";
}

// Read as an assistive tool reads it: 27 command and 4 tab buttons, each a named push button with its hint
// as description and a Press action; the tab of the page shown is selected; menu items carry their hints.
TEST_F(MainWindowTest, AssistiveToolsReadEveryButtonAndMenuItemWithItsHint)
{
    auto window = startedWindow();
    const QList<QAccessibleInterface*> buttons = qv::test::accessibleWithRole(*window, QAccessible::Button);
    ASSERT_EQ(buttons.size(), 31);
    for (QAccessibleInterface* button : buttons) {
        SCOPED_TRACE(button->object()->objectName().toStdString());
        EXPECT_FALSE(button->text(QAccessible::Name).isEmpty());
        EXPECT_FALSE(button->text(QAccessible::Description).isEmpty());
        EXPECT_TRUE(qv::test::offersAction(*button, QAccessibleActionInterface::pressAction()));
        EXPECT_TRUE(button->state().focusable);
    }
    QAccessibleInterface* memory =
        QAccessible::queryAccessibleInterface(window->commandButton(Command::InfoMemory));
    EXPECT_EQ(memory->text(QAccessible::Name), QStringLiteral("Memory"));
    EXPECT_EQ(memory->text(QAccessible::Description), QStringLiteral("Display memory information"));

    auto* info = window->findChild<TTransparentButton*>(tabButtonName(1));
    QAccessibleInterface* infoTab = QAccessible::queryAccessibleInterface(info);
    EXPECT_EQ(infoTab->text(QAccessible::Name), QStringLiteral("Information"));
    EXPECT_FALSE(infoTab->state().selected);
    infoTab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(window->currentGroup(), 1);
    EXPECT_TRUE(infoTab->state().selected);
    EXPECT_FALSE(
        QAccessible::queryAccessibleInterface(window->findChild<TTransparentButton*>(tabButtonName(0)))
            ->state()
            .selected);

    int described = 0;
    for (QAccessibleInterface* item : qv::test::accessibleWithRole(*window, QAccessible::MenuItem)) {
        if (const auto* action = qobject_cast<QAction*>(item->object()); action && !action->menu()) {
            EXPECT_EQ(item->text(QAccessible::Description), action->statusTip());
            described += action->statusTip().isEmpty() ? 0 : 1;
        }
    }
    EXPECT_EQ(described, 30) << "every menu item with a hint";
}

// Tab walks the tab buttons, then the buttons of the page shown, top to bottom; Space on a tab button
// shows its page and Space or Return on a command button starts the command.
TEST_F(MainWindowTest, EveryCommandIsReachedAndStartedWithTheKeyboard)
{
    auto window = startedWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const auto tab = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); };
    for (int group = 0; group < qv::app::kPageCount; ++group) {
        SCOPED_TRACE(group);
        auto* tabButton = window->findChild<TTransparentButton*>(tabButtonName(0));
        tabButton->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < group; ++i)
            tab();
        ASSERT_EQ(QApplication::focusWidget()->objectName(), tabButtonName(group));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_EQ(window->currentGroup(), group);

        for (int i = group; i < qv::app::kPageCount; ++i)
            tab();
        for (const Command command : qv::app::pageButtons(static_cast<qv::app::Page>(group))) {
            EXPECT_EQ(QApplication::focusWidget(), window->commandButton(command));
            tab();
        }
        EXPECT_EQ(QApplication::focusWidget()->objectName(), tabButtonName(0)) << "round again";
    }

    window->commandButton(Command::ToolBackup)->setFocus(Qt::TabFocusReason);
    qv::test::saveScreenshot(*window, QStringLiteral("main-window-keyboard-focus"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCoreApplication::processEvents();
    window->commandButton(Command::ToolRestore)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages.value(1).startsWith(QStringLiteral("The system restore")));
}

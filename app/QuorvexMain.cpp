#include "app/QuorvexMain.h"

#include "app/AboutBox.h"
#include "app/ConseilDuJourDlg.h"
#include "app/ProductLinks.h"
#include "app/TipPreference.h"
#include "bench/ui/DiskBenchDlg.h"
#include "bench/ui/DisplayBenchDlg.h"
#include "bench/ui/InetBenchDlg.h"
#include "bench/ui/NetBenchDlg.h"
#include "bench/ui/OverallBenchDlg.h"
#include "bench/ui/PerfCPUInfoDlg.h"
#include "bench/ui/PerfMemoireInfoDlg.h"
#include "bench/ui/PerformancesWizardDlg.h"
#include "cpu/ui/InfoCPUDlg.h"
#include "forms/Look.h"
#include "hardware/ui/InfoApplicationsDlg.h"
#include "hardware/ui/InfoCarteMereDlg.h"
#include "hardware/ui/InfoDisquesDlg.h"
#include "hardware/ui/InfoMemoireDlg.h"
#include "hardware/ui/InfoReseauDlg.h"
#include "hardware/ui/InfoResumeDlg.h"
#include "hardware/ui/InfoVideoDlg.h"
#include "net/ui/NetDlg.h"
#include "platform/CursorTable.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "platform/Shell.h"
#include "platform/SoundCue.h"
#include "results/ui/ReportDlg.h"
#include "results/ui/ResultsDlg.h"
#include "stress/ui/StressDlg.h"
#include "sysinfo/ui/InfoSystemeDlg.h"
#include "ui_QuorvexMain.h"
#include "widgets/Accessibility.h"
#include "widgets/DialogChar.h"
#include "widgets/TabOrder.h"
#include "widgets/TransBtn.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>

using qv::app::Command;
using qv::app::CommandKind;
using qv::platform::guarded;
using qv::platform::guardedSlot;

namespace {

// The command buttons stand in a column on the page picture, which is drawn at 500 x 245 and
// stretched over the 500 x 250 visible part of the page; the rows follow the stretch.
constexpr int kPictureLeft = 2;
constexpr int kColumnLeft = 252;
constexpr int kColumnTop = 4;
constexpr QSize kButtonSize{240, 26};
constexpr double kPageStretch = 250.0 / 245.0;

QRect commandButtonRect(int row)
{
    const int top = qRound((kColumnTop + row * kButtonSize.height()) * kPageStretch);
    return QRect(QPoint(kPictureLeft + kColumnLeft, top), kButtonSize);
}

const char* const kHelpContextProperty = "helpContext";

} // namespace

TQuorvexMain::TQuorvexMain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ui(std::make_unique<Ui::QuorvexMain>())
{
    m_ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.png")));
    qv::look::fillBackground(*m_ui->ClientArea, qv::look::kMainWindowGrey);

    m_ui->helpText->setFont(qv::look::arialFont(13, true));
    m_ui->helpText->setStyleSheet(QStringLiteral("color: white; background: transparent;"));

    const auto tabs = tabButtons();
    connect(tabs[0], &TTransparentButton::clicked, this,
            guardedSlot(this, &TQuorvexMain::buttonOngletTestPerfClick));
    connect(tabs[1], &TTransparentButton::clicked, this,
            guardedSlot(this, &TQuorvexMain::buttonOngletInfoClick));
    connect(tabs[2], &TTransparentButton::clicked, this,
            guardedSlot(this, &TQuorvexMain::buttonOngletExpertsClick));
    connect(tabs[3], &TTransparentButton::clicked, this,
            guardedSlot(this, &TQuorvexMain::buttonOngletOutilsClick));

    createCommandButtons();
    createMenus();
    nameTabsAndPictures();
    qv::widgets::orderTabsVisually(*this);
    qv::platform::HelpEngine::bindHelpKey(this, qv::platform::HelpEngine::kContents);

    adjustSize();
    setFixedSize(size());
    qv::look::centreOnScreen(*this);
    FormCreate();
}

TQuorvexMain::~TQuorvexMain() = default;

std::array<TTransparentButton*, qv::app::kPageCount> TQuorvexMain::tabButtons() const
{
    return {m_ui->buttonOngletTestPerf, m_ui->buttonOngletInfo, m_ui->buttonOngletExperts,
            m_ui->buttonOngletOutils};
}

void TQuorvexMain::createCommandButtons()
{
    const std::array pages{m_ui->TabSheet1, m_ui->TabSheet2, m_ui->TabSheet3, m_ui->TabSheet4};
    for (int group = 0; group < qv::app::kPageCount; ++group) {
        int row = 0;
        for (const Command command : qv::app::pageButtons(static_cast<qv::app::Page>(group))) {
            const auto& info = qv::app::commandInfo(command);
            auto* button = new TTransparentButton(pages[group]);
            button->setObjectName(QString::fromLatin1(info.button.objectName));
            button->setGeometry(commandButtonRect(row++));
            button->setGlyph(qv::look::picture(QString::fromLatin1(info.button.glyph)));
            button->setStatusTip(QString::fromUtf8(info.button.hint));
            // The button shows its function only in its picture; it reads as its menu item.
            button->setAccessibleName(qv::widgets::withoutMnemonic(QString::fromUtf8(info.menuItem.caption)));
            button->setCursor(Qt::PointingHandCursor);
            // The functions that work stand out with a sunken frame.
            if (info.kind == CommandKind::Window || info.kind == CommandKind::OwnWindow)
                button->setFrameStyle(TTransparentButton::fsIndent);
            connect(button, &TTransparentButton::clicked, this, [this, command] { runCommand(command); });
        }
    }
}

void TQuorvexMain::createMenus()
{
    for (const auto& layout : qv::app::menuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(layout.caption));
        menu->setObjectName(QString::fromLatin1(layout.objectName));
        menu->installEventFilter(this);
        for (const auto& entry : layout.entries) {
            if (entry.isSeparator) {
                menu->addSeparator();
                continue;
            }
            const auto& item = qv::app::commandInfo(entry.command).menuItem;
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(QString::fromLatin1(item.objectName));
            // The hint line shows it; assistive tools read it as the item's description.
            action->setStatusTip(QString::fromUtf8(item.hint));
            action->setProperty(kHelpContextProperty, item.helpContext);
            const Command command = entry.command;
            connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
        }
    }
}

// Tab buttons read as the tabs they lie over; the pictures that say something are named after what they say.
void TQuorvexMain::nameTabsAndPictures()
{
    m_ui->Image1->setAccessibleName(QStringLiteral("Quorvex 2003"));
    const auto tabs = tabButtons();
    const std::array pictures{m_ui->PageImage1, m_ui->PageImage2, m_ui->PageImage3, m_ui->PageImage4};
    for (int group = 0; group < qv::app::kPageCount; ++group) {
        const auto& page = qv::app::pageInfo(static_cast<qv::app::Page>(group));
        tabs[group]->setAccessibleName(QString::fromUtf8(page.caption));
        pictures[group]->setAccessibleName(QString::fromUtf8(page.caption) + QStringLiteral(": ") +
                                           QString::fromUtf8(page.tagline));
    }
}

// Commands run from a queued call, so that whoever asked (a menu, a button, an assistive tool's action)
// gets its answer at once; while one runs, its modal window open, a further request does nothing.
void TQuorvexMain::runCommand(Command command)
{
    if (m_commandRunning)
        return;
    m_commandRunning = true;
    QTimer::singleShot(0, this, [this, command] {
        runCommandNow(command);
        m_commandRunning = false;
    });
}

namespace {

// A hardware window of our own (video, network, installed applications, system summary): no cue.
template<typename Window>
void showOwnWindow(QWidget* parent)
{
    Window information(parent);
    qv::platform::showModal(information);
}

} // namespace

void TQuorvexMain::runCommandNow(Command command)
{
    guarded([&] {
        switch (command) {
        case Command::OpenResults:
            return Ouvrir1Click();
        case Command::Report:
            return Gnrerrapport1Click();
        case Command::PerfProcessor:
            return PerfProcesseurClick();
        case Command::PerfMemory:
            return PerfMemoireClick();
        case Command::PerfDisk:
            return PerfDisqueDurClick();
        case Command::PerfDisplay:
            return PerfAffichageClick();
        case Command::Perf3D:
            return PerfAffichage3DClick();
        case Command::PerfNetwork:
            return PerfReseauClick();
        case Command::PerfInternet:
            return PerfInternetClick();
        case Command::PerfOverall:
            return showOwnWindow<TOverallBenchDlg>(this);
        case Command::WizardPerformances:
            return showOwnWindow<TPerformancesWizardDlg>(this);
        case Command::InfoProcessor:
            return InfoProcesseurClick();
        case Command::InfoOperatingSystem:
            return InfoSystemeExploitationClick();
        case Command::InfoMemory:
            return InfoMemoireClick();
        case Command::InfoMotherboard:
            return InfoCarteMereClick();
        case Command::InfoDrives:
            return InfoDisquesClick();
        case Command::InfoVideo:
            return showOwnWindow<TInfoVideoDlg>(this);
        case Command::InfoNetwork:
            return showOwnWindow<TInfoReseauDlg>(this);
        case Command::InfoPrograms:
            return showOwnWindow<TInfoApplicationsDlg>(this);
        case Command::InfoSummary:
            return showOwnWindow<TInfoResumeDlg>(this);
        case Command::ToolNetworkCheck:
            return ButtonOutilReseauClick();
        case Command::ToolStability:
            return TransparentButtonTestStabiliteClick();
        case Command::About:
            return About();
        case Command::Help:
            return Aide2Click();
        case Command::Faq:
            return FAQonline1Click();
        case Command::Contact:
            return ContacttheQuorvexTeam1Click();
        case Command::Quit:
            return Quitter1Click();
        default:
            return showNotAvailable(command);
        }
    });
}

void TQuorvexMain::showNotAvailable(Command command)
{
    qv::platform::showInformation(this, tr("%1 is not available in this version of Quorvex 2003.")
                                            .arg(QString::fromUtf8(qv::app::commandInfo(command).title)));
}

void TQuorvexMain::FormCreate()
{
    ShowHint(QString());
    const QPixmap clock(QStringLiteral(":/pictures/clock_cursor.png"));
    qv::platform::setScreenCursor(qv::platform::kClockCursorSlot,
                                  QCursor(clock, clock.width() / 2, clock.height() / 2));
}

void TQuorvexMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Runs once, after the window is first shown; showing it again after a dialog changes nothing.
    if (!m_activated) {
        m_activated = true;
        QTimer::singleShot(0, this, guardedSlot(this, &TQuorvexMain::FormActivate));
    }
}

void TQuorvexMain::FormActivate()
{
    selectGroup(0);
    repaintNow();
    if (qv::app::TipsAtStartup()) {
        TConseilDuJourDlg tipOfTheDay(this);
        qv::platform::showModal(tipOfTheDay);
    }
    repaintNow();
}

void TQuorvexMain::repaintNow()
{
    repaint();
    QCoreApplication::processEvents();
}

bool TQuorvexMain::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// The menus report their highlighted item's hint here, however they were opened; F1 on a highlighted
// item shows that item's topic.
bool TQuorvexMain::eventFilter(QObject* watched, QEvent* event)
{
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (menu && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        const QAction* item = menu->activeAction();
        const int context = item ? item->property(kHelpContextProperty).toInt() : 0;
        menu->close();
        qv::platform::HelpEngine::instance().showHelp(this, context);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TQuorvexMain::ShowHint(const QString& hint)
{
    m_ui->helpText->setText(hint);
}

QString TQuorvexMain::hintLine() const
{
    return m_ui->helpText->text();
}

int TQuorvexMain::currentGroup() const
{
    return m_ui->PageControl1->currentIndex();
}

TTransparentButton* TQuorvexMain::commandButton(Command command) const
{
    const char* name = qv::app::commandInfo(command).button.objectName;
    return name ? findChild<TTransparentButton*>(QString::fromLatin1(name)) : nullptr;
}

QAction* TQuorvexMain::menuAction(Command command) const
{
    return findChild<QAction*>(QString::fromLatin1(qv::app::commandInfo(command).menuItem.objectName));
}

void TQuorvexMain::selectGroup(int group)
{
    const std::array strips{m_ui->ImageMenu1, m_ui->ImageMenu2, m_ui->ImageMenu3, m_ui->ImageMenu4};
    const std::array pages{m_ui->TabSheet1, m_ui->TabSheet2, m_ui->TabSheet3, m_ui->TabSheet4};
    m_ui->MenuImage->setPixmap(strips[group]->pixmap());
    m_ui->MenuImage->setAccessibleName(
        QString::fromUtf8(qv::app::pageInfo(static_cast<qv::app::Page>(group)).caption));
    m_ui->PageControl1->setCurrentWidget(pages[group]);
    const auto tabs = tabButtons();
    for (int tab = 0; tab < qv::app::kPageCount; ++tab)
        qv::widgets::setAccessibleSelected(*tabs[tab], tab == group);
}

void TQuorvexMain::buttonOngletTestPerfClick()
{
    qv::platform::PlaySoundCue();
    selectGroup(0);
}

void TQuorvexMain::buttonOngletInfoClick()
{
    qv::platform::PlaySoundCue();
    selectGroup(1);
}

void TQuorvexMain::buttonOngletExpertsClick()
{
    qv::platform::PlaySoundCue();
    selectGroup(2);
}

void TQuorvexMain::buttonOngletOutilsClick()
{
    qv::platform::PlaySoundCue();
    selectGroup(3);
}

// The benchmarks open their introduction, which hands over to the run window and then the chart.
void TQuorvexMain::PerfProcesseurClick()
{
    qv::platform::PlaySoundCue();
    TPerfCPUInfoDlg info(this);
    info.SetChartAfterRun(true);
    qv::platform::showModal(info);
}

void TQuorvexMain::PerfMemoireClick()
{
    qv::platform::PlaySoundCue();
    TPerfMemoireInfoDlg info(this);
    info.SetChartAfterRun(true);
    qv::platform::showModal(info);
}

void TQuorvexMain::PerfDisqueDurClick()
{
    TDiskBenchDlg benchmark(this);
    qv::platform::showModal(benchmark);
}

void TQuorvexMain::PerfAffichageClick()
{
    TDisplay2DBenchDlg benchmark(this);
    qv::platform::showModal(benchmark);
}

void TQuorvexMain::PerfAffichage3DClick()
{
    TDisplay3DBenchDlg benchmark(this);
    qv::platform::showModal(benchmark);
}

void TQuorvexMain::PerfReseauClick()
{
    TNetBenchDlg benchmark(this);
    qv::platform::showModal(benchmark);
}

void TQuorvexMain::PerfInternetClick()
{
    TInetBenchDlg benchmark(this);
    qv::platform::showModal(benchmark);
}

void TQuorvexMain::InfoProcesseurClick()
{
    qv::platform::PlaySoundCue();
    TInfoCPUDlg information(this);
    information.Prepare();
    qv::platform::showModal(information);
}

void TQuorvexMain::InfoSystemeExploitationClick()
{
    qv::platform::PlaySoundCue();
    TInfoSystemeDlg information(this);
    qv::platform::showModal(information);
}

// The hardware windows are functions of our own: no cue, as for every function the product left to us.
void TQuorvexMain::InfoMemoireClick()
{
    TInfoMemoireDlg information(this);
    qv::platform::showModal(information);
}

void TQuorvexMain::InfoCarteMereClick()
{
    TInfoCarteMereDlg information(this);
    qv::platform::showModal(information);
}

void TQuorvexMain::InfoDisquesClick()
{
    TInfoDisquesDlg information(this);
    qv::platform::showModal(information);
}

// File › Open results and File › Report are functions of our own: no cue.
void TQuorvexMain::Ouvrir1Click()
{
    qv::resultsui::OpenResultsClick(this);
}

void TQuorvexMain::Gnrerrapport1Click()
{
    TReportDlg report(this);
    qv::platform::showModal(report);
}

// A window of our own: no sound cue.
void TQuorvexMain::TransparentButtonTestStabiliteClick()
{
    qv::stress::TStressDlg test(this);
    qv::platform::showModal(test);
}

void TQuorvexMain::ButtonOutilReseauClick()
{
    qv::platform::PlaySoundCue();
    TNetDlg check(this);
    qv::platform::showModal(check);
}

void TQuorvexMain::About()
{
    TAboutBox about(this);
    qv::platform::showModal(about);
}

void TQuorvexMain::Aide2Click()
{
    qv::platform::HelpEngine::instance().showHelp(this, qv::platform::HelpEngine::kContents);
}

void TQuorvexMain::FAQonline1Click()
{
    qv::platform::ShellOpen(this, qv::app::webSiteUrl(QStringLiteral("faq_help.htm")));
}

void TQuorvexMain::ContacttheQuorvexTeam1Click()
{
    qv::platform::ShellOpen(this, qv::app::supportMailUrl());
}

void TQuorvexMain::Quitter1Click()
{
    close();
}

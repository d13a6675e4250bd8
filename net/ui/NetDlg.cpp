#include "net/ui/NetDlg.h"

#include "forms/Look.h"
#include "net/Icmp.h"
#include "net/NetCheckTexts.h"
#include "net/WSocket.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "ui_NetDlg.h"

#include <QApplication>
#include <QButtonGroup>

using qv::platform::guarded;
using qv::platform::guardedSlot;

namespace {

constexpr int kNodePictures = 5;

const QString kNetworkPathText = QStringLiteral("Network path: ");
const QString kStoppingText = QStringLiteral("Stopping the network analysis...");

// One saved screen cursor for every instance: set while an analysis runs.
bool g_cursorSaved = false;

} // namespace

TNetDlg::TNetDlg(QWidget* parent)
    : QvDialog(parent)
    , m_ui(std::make_unique<Ui::NetDlg>())
    , Ping1(new qv::net::TPing(this))
    , WSocket1(new qv::net::TWSocket(this))
{
    Ping1->setObjectName(QStringLiteral("Ping1"));
    WSocket1->setObjectName(QStringLiteral("WSocket1"));
    const QFont font = qv::look::msSansSerifFont(11);
    setFont(font);
    m_ui->setupUi(this);
    setFixedSize(size());
    qv::look::attachDialogPages(*m_ui->PageControl1, {m_ui->TabSheet1, m_ui->TabSheet2, m_ui->TabSheet3},
                                font);

    auto* resource = new QButtonGroup(m_ui->Resource);
    const QList<QRadioButton*> items{m_ui->ResourceItem0, m_ui->ResourceItem1, m_ui->ResourceItem2,
                                     m_ui->ResourceItem3, m_ui->ResourceItem4, m_ui->ResourceItem5};
    for (int i = 0; i < items.size(); ++i)
        resource->addButton(items[i], i);
    m_ui->Button_Stop->setVisible(false);

    QList<QIcon> images;
    for (int i = 0; i < kNodePictures; ++i)
        images << QIcon(QStringLiteral(":/pictures/net_node_%1.png").arg(i));
    m_ui->VSNetTreeView1->setImages(images);
    m_ui->VSNetTreeView1->OnDone = [this](QObject*) { VSNetTreeView1Done(); };
    connect(m_ui->VSNetTreeView1, &QTreeWidget::currentItemChanged, this,
            guardedSlot(this, &TNetDlg::VSNetTreeView1Change));

    Ping1->OnDnsLookupDone = [this](QObject*, std::uint16_t error) { Ping1DnsLookupDone(error); };
    Ping1->OnEchoRequest = [this](QObject*, qv::net::TICMP* icmp) { Ping1EchoRequest(icmp); };
    Ping1->OnEchoReply = [this](QObject*, qv::net::TICMP* icmp, int replies) {
        Ping1EchoReply(icmp, replies);
    };
    WSocket1->OnDnsLookupDone = [this](QObject*, std::uint16_t error) { WSocket1DnsLookupDone(error); };
    connectButtons();
    qv::platform::HelpEngine::bindHelpKey(this, kHelpContext);
}

// The tree lets a worker still running go on its own.
TNetDlg::~TNetDlg()
{
    restoreCursor();
}

void TNetDlg::connectButtons()
{
    const std::pair<TTransparentButton*, void (TNetDlg::*)()> handlers[] = {
        {m_ui->button_AnalyseReseau, &TNetDlg::AnalyseReseau},
        {m_ui->Button_Stop, &TNetDlg::Button_StopClick},
        {m_ui->pingButton, &TNetDlg::PingButtonClick},
        {m_ui->LookupButton, &TNetDlg::LookupButtonClick},
        {m_ui->ReverseLookUpButton, &TNetDlg::ReverseLookupButtonClick},
        {m_ui->LocalIPButton, &TNetDlg::LocalIPButtonClick},
        {m_ui->CancelButtonLookUp, &TNetDlg::CancelButtonLookupClick},
        {m_ui->TransparentButton9, &TNetDlg::OKBtnClick},
        {m_ui->TransparentButton1, &TNetDlg::ButtonTestClick},
    };
    for (const auto& [button, handler] : handlers) {
        qv::look::styleDialogButton(*button);
        connect(button, &TTransparentButton::clicked, this, guardedSlot(this, handler));
    }
}

// An analysis still running is stopped before the window goes: its worker is waited for a moment at most
// (serving events, so a second close meanwhile is ignored), then left to finish alone.
void TNetDlg::done(int result)
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_ui->VSNetTreeView1->Running())
        showStopping();
    m_ui->VSNetTreeView1->finishAnalysis();
    QvDialog::done(result);
    m_closing = false;
}

void TNetDlg::FormActivate()
{
    m_ui->LabelComputerName->clear();
    m_ui->LabelWorkGroup->clear();
    m_ui->LabelChemin->setText(kNetworkPathText);
    m_ui->HostEditLookUp->setText(kDefaultHost);
    m_ui->PageControl1->setActivePage(m_ui->TabSheet1);
}

void TNetDlg::AnalyseReseau()
{
    TVSNetTreeView& tree = *m_ui->VSNetTreeView1;
    m_ui->LabelComputerName->setText(QStringLiteral("Computer name: ") + tree.ComputerName());
    m_ui->LabelWorkGroup->setText(QStringLiteral("Workgroup (Domain): ") + tree.WorkgroupName());
    const int type = m_ui->ResourceItem0->group()->checkedId();
    tree.setResourceType(
        static_cast<TCustomNetTreeView::TResourceType>(type < 0 ? TCustomNetTreeView::rtAny : type));
    tree.setInOtherThread(m_ui->CBInOtherThread->isChecked());
    tree.setAutoExpanding(m_ui->CBAutoExpand->isChecked());
    m_ui->Button_Stop->setVisible(m_ui->CBInOtherThread->isChecked());
    m_ui->button_AnalyseReseau->setEnabled(false);
    if (!g_cursorSaved) {
        QApplication::setOverrideCursor(tree.InOtherThread() ? Qt::BusyCursor : Qt::WaitCursor);
        g_cursorSaved = true;
    }
    tree.StartAnalysis();
    if (!tree.Running()) {
        restoreCursor();
        m_ui->button_AnalyseReseau->setEnabled(true);
    }
}

void TNetDlg::restoreCursor()
{
    if (!g_cursorSaved)
        return;
    QApplication::restoreOverrideCursor();
    g_cursorSaved = false;
}

void TNetDlg::Button_StopClick()
{
    if (!m_ui->VSNetTreeView1->Running())
        return;
    showStopping();
    m_ui->VSNetTreeView1->StopAnalysis();
}

void TNetDlg::showStopping()
{
    m_ui->LabelChemin->setText(kStoppingText);
    m_ui->Button_Stop->setEnabled(false);
}

void TNetDlg::VSNetTreeView1Done()
{
    const bool running = m_ui->VSNetTreeView1->Running();
    m_ui->button_AnalyseReseau->setEnabled(!running);
    m_ui->Button_Stop->setVisible(running);
    m_ui->Button_Stop->setEnabled(true);
    if (m_ui->LabelChemin->text() == kStoppingText)
        m_ui->LabelChemin->setText(kNetworkPathText);
    if (m_ui->VSNetTreeView1->InOtherThread())
        restoreCursor();
}

void TNetDlg::VSNetTreeView1Change()
{
    m_ui->LabelChemin->setText(QStringLiteral("Chemin réseau: ") + m_ui->VSNetTreeView1->SelectedPath());
}

void TNetDlg::addLines(const QStringList& lines)
{
    for (const QString& line : lines)
        m_ui->DisplayMemo->appendPlainText(line);
}

void TNetDlg::PingButtonClick()
{
    const QString host = m_ui->HostEdit->text();
    m_ui->DisplayMemo->clear();
    addLines({qv::net::check_lines::searching(host)});
    m_ui->pingButton->setEnabled(false);
    m_ui->CancelButtonLookUp->setEnabled(true);
    Ping1->DnsLookup(host);
}

void TNetDlg::Ping1DnsLookupDone(std::uint16_t error)
{
    const QString host = m_ui->HostEdit->text();
    m_ui->CancelButtonLookUp->setEnabled(false);
    m_ui->pingButton->setEnabled(true);
    if (error != 0) {
        addLines(qv::net::check_lines::hostNotFound(host));
        return;
    }
    addLines({qv::net::check_lines::distantComputer(host, Ping1->DnsResult())});
    Ping1->setAddress(Ping1->DnsResult());
    m_echoAnswered = false;
    Ping1->Ping();
    // An address the echo refuses before sending (the broadcast address reads as "no address") fires no
    // reply event: the check still ends with its verdict.
    if (!m_echoAnswered)
        addLines(qv::net::check_lines::unreachable(Ping1->DnsResult(), Ping1->ErrorString()));
}

void TNetDlg::Ping1EchoRequest(qv::net::TICMP* icmp)
{
    addLines({qv::net::check_lines::sending(icmp->Size, icmp->HostName(), icmp->HostIP())});
}

void TNetDlg::Ping1EchoReply(qv::net::TICMP* icmp, int replies)
{
    m_echoAnswered = true;
    addLines(replies != 0
                 ? qv::net::check_lines::received(icmp->Reply().DataSize, icmp->HostIP(), icmp->Reply().RTT)
                 : qv::net::check_lines::unreachable(icmp->HostIP(), icmp->ErrorString()));
}

void TNetDlg::startLookup(const QString& status)
{
    m_ui->LookupButton->setEnabled(false);
    m_ui->ReverseLookUpButton->setEnabled(false);
    m_ui->CancelButtonLookUp->setEnabled(true);
    m_ui->HostEditLookUp->selectAll();
    m_ui->HostEditLookUp->setFocus();
    m_ui->IPLabel->setText(status);
    m_ui->IPListMemo->clear();
}

void TNetDlg::LookupButtonClick()
{
    startLookup(QStringLiteral("DNS lookup..."));
    WSocket1->DnsLookup(m_ui->HostEditLookUp->text());
}

void TNetDlg::ReverseLookupButtonClick()
{
    const QString address = m_ui->HostEditLookUp->text();
    if (!qv::net::looksLikeDottedAddress(address)) {
        qv::platform::showError(this, QStringLiteral("Invalid IP address"),
                                QStringLiteral("Invalid IP address (ex: ") + kExampleAddress +
                                    QLatin1Char(')'));
        return;
    }
    startLookup(QStringLiteral("Recherche DNS..."));
    WSocket1->ReverseDnsLookup(address);
}

void TNetDlg::WSocket1DnsLookupDone(std::uint16_t error)
{
    const QStringList& results = WSocket1->DnsResultList();
    m_ui->IPLabel->setText(qv::net::lookupStatus(error, WSocket1->DnsResult(), results.size()));
    if (error == 0)
        m_ui->IPListMemo->setPlainText(results.join(QLatin1Char('\n')));
    m_ui->LookupButton->setEnabled(true);
    m_ui->ReverseLookUpButton->setEnabled(true);
    m_ui->CancelButtonLookUp->setEnabled(false);
}

void TNetDlg::CancelButtonLookupClick()
{
    m_ui->IPLabel->clear();
    // Both lookup buttons: a lookup that failed to start (an empty name) has no completion to enable them.
    m_ui->LookupButton->setEnabled(true);
    m_ui->ReverseLookUpButton->setEnabled(true);
    m_ui->CancelButtonLookUp->setEnabled(false);
    m_ui->HostEditLookUp->setFocus();
    WSocket1->CancelDnsLookup();
}

void TNetDlg::LocalIPButtonClick()
{
    const QStringList& addresses = qv::net::LocalIPList();
    m_ui->IPListMemo->setPlainText(addresses.join(QLatin1Char('\n')));
    if (!addresses.isEmpty())
        m_ui->HostEditLookUp->setText(addresses.first());
}

void TNetDlg::OKBtnClick()
{
    close();
}

void TNetDlg::ButtonTestClick()
{
    qv::platform::HelpEngine::instance().showHelp(this, kHelpContext);
}

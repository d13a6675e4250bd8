#include "hardware/ui/InfoReseauDlg.h"

#include "hardware/PeripheralTexts.h"
#include "hardware/ui/FactPanel.h"
#include "hardware/ui/FactTable.h"
#include "widgets/ExtPage.h"

#include <QLabel>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

using qv::hardwareui::factGrid;
using qv::hardwareui::notesLabel;

TInfoReseauDlg::TInfoReseauDlg(QWidget* parent)
    : HardwareDialog(parent, tr("Network information"), QStringLiteral(":/pictures/title_network.png"),
                     kHelpContext, {640, 424})
    , m_facts(qv::hardware::collectNetwork(qv::hardware::installedMachineTree(), false))
{
    setObjectName(QStringLiteral("InfoReseauDlg"));
    std::erase(m_facts.notes, std::string(qv::hardware::network_notes::kWorkgroupNotAsked));
    attachPages({identityPage(), interfacesPage()});
    askWorkgroup();
}

TInfoReseauDlg::~TInfoReseauDlg()
{
    if (m_worker)
        m_worker->wait();
}

TTabSheet* TInfoReseauDlg::identityPage()
{
    TTabSheet* page = newPage(tr("Identity"));
    page->setObjectName(QStringLiteral("IdentityPage"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->addWidget(factGrid(qv::hardware::networkIdentityLines(m_facts)));
    m_workgroup = page->findChild<QLabel*>(QStringLiteral("Workgroup"));
    if (m_workgroup)
        m_workgroup->setText(tr("Asking the network…"));
    layout->addWidget(notesLabel(m_facts.notes));
    layout->addStretch(1);
    return page;
}

TTabSheet* TInfoReseauDlg::interfacesPage()
{
    TTabSheet* page = newPage(tr("Interfaces"));
    page->setObjectName(QStringLiteral("InterfacesPage"));
    m_interfaces = qv::hardwareui::factTable(
        qv::hardware::interfaceColumns(),
        qv::hardwareui::rowsOf(m_facts.interfaces, qv::hardware::interfaceRow), tr("Interfaces"), page);
    m_interfaces->setObjectName(QStringLiteral("InterfaceTable"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->addWidget(m_interfaces, 1);
    if (m_facts.interfaces.empty())
        layout->addWidget(notesLabel({"The kernel lists no network interface"}));
    return page;
}

// The query runs on a thread of its own, so the window opens at once; the answer comes back through the
// thread's end, whose connection ends with the window.
void TInfoReseauDlg::askWorkgroup()
{
    auto answer = std::make_shared<std::optional<std::string>>();
    QThread* worker = QThread::create([answer, tree = qv::hardware::installedMachineTreePointer()] {
        *answer = qv::hardware::collectWorkgroup(*tree);
    });
    connect(worker, &QThread::finished, this, [this, answer] { showWorkgroup(*answer); });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    m_worker = worker;
    worker->start();
}

void TInfoReseauDlg::showWorkgroup(const std::optional<std::string>& workgroup)
{
    m_facts.workgroup = workgroup;
    if (m_workgroup)
        m_workgroup->setText(workgroup ? QString::fromStdString(*workgroup) : tr("None answered"));
    emit workgroupAnswered();
}

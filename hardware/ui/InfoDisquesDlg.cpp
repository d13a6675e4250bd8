#include "hardware/ui/InfoDisquesDlg.h"

#include "hardware/FactTexts.h"
#include "hardware/ui/FactPanel.h"
#include "hardware/ui/VolumeTree.h"
#include "platform/ExceptionGuard.h"
#include "widgets/ExtPage.h"
#include "widgets/LED.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using qv::hardwareui::factGrid;
using qv::hardwareui::notesLabel;

namespace {

constexpr int kDiskListWidth = 190;

TLEDLabel* light(const char* name, const QString& caption, QWidget* parent)
{
    auto* led = new TLEDLabel(parent);
    led->setObjectName(QString::fromLatin1(name));
    led->setCaption(caption);
    led->setColor(TLED::lcGreen);
    led->setLit(true);
    led->setTransparent(true);
    return led;
}

} // namespace

TInfoDisquesDlg::TInfoDisquesDlg(QWidget* parent)
    : HardwareDialog(parent, tr("Drives information"), QStringLiteral(":/pictures/title_drives.png"),
                     kHelpContext, {680, 470})
    , m_facts(qv::hardware::collectDrives())
{
    setObjectName(QStringLiteral("InfoDisquesDlg"));
    attachPages({disksPage(), otherDevicesPage()});
    if (!m_facts.disks.empty())
        m_disks->setCurrentRow(0);
}

TTabSheet* TInfoDisquesDlg::disksPage()
{
    TTabSheet* page = newPage(tr("Disks"));
    page->setObjectName(QStringLiteral("DisksPage"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());

    auto* split = new QHBoxLayout;
    m_disks = new QListWidget(page);
    m_disks->setObjectName(QStringLiteral("DiskList"));
    m_disks->setAccessibleName(tr("Disks"));
    m_disks->setFixedWidth(kDiskListWidth);
    for (const qv::hardware::Drive& drive : m_facts.disks)
        m_disks->addItem(QString::fromStdString(qv::hardware::driveListText(drive)));
    split->addWidget(m_disks);

    m_details = new QVBoxLayout;
    m_factGrid = factGrid({}, page);
    m_details->addWidget(m_factGrid);
    auto* lights = new QHBoxLayout;
    m_solidState = light("SolidState", tr("Solid-state"), page);
    m_removable = light("Removable", tr("Removable"), page);
    m_readOnly = light("ReadOnly", tr("Read-only"), page);
    for (TLEDLabel* led : {m_solidState, m_removable, m_readOnly})
        lights->addWidget(led);
    m_details->addLayout(lights);
    m_volumes = qv::hardwareui::volumeTree(page);
    m_details->addWidget(m_volumes, 1);
    split->addLayout(m_details, 1);
    layout->addLayout(split, 1);
    layout->addWidget(notesLabel(m_facts.notes));

    connect(m_disks, &QListWidget::currentRowChanged, this,
            [this](int row) { qv::platform::guarded([&] { DiskListRowChanged(row); }); });
    return page;
}

TTabSheet* TInfoDisquesDlg::otherDevicesPage()
{
    TTabSheet* page = newPage(tr("Other devices"));
    page->setObjectName(QStringLiteral("OtherDevicesPage"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    if (m_facts.memoryAndLoopDevices.empty()) {
        layout->addWidget(notesLabel({"This machine has no loop, RAM-disk or compressed-RAM devices"}));
        layout->addStretch(1);
        return page;
    }
    QTreeWidget* devices = qv::hardwareui::volumeTree(page);
    devices->setObjectName(QStringLiteral("OtherDevices"));
    std::vector<qv::hardware::BlockVolume> volumes;
    volumes.reserve(m_facts.memoryAndLoopDevices.size());
    for (const qv::hardware::Drive& drive : m_facts.memoryAndLoopDevices)
        volumes.push_back(qv::hardware::driveAsVolume(drive));
    qv::hardwareui::showVolumes(*devices, volumes);
    layout->addWidget(devices);
    return page;
}

void TInfoDisquesDlg::DiskListRowChanged(int row)
{
    if (row < 0 || row >= int(m_facts.disks.size()))
        return;
    const qv::hardware::Drive& drive = m_facts.disks[std::size_t(row)];
    QWidget* grid = factGrid(qv::hardware::driveLines(drive), m_factGrid->parentWidget());
    // The layout hands back the item that held the old grid: ours to delete, as is the grid.
    delete m_details->replaceWidget(m_factGrid, grid);
    delete m_factGrid;
    m_factGrid = grid;
    m_factGrid->show();

    m_solidState->setEnabled(drive.rotational == false);
    m_removable->setEnabled(drive.removable == true);
    m_readOnly->setEnabled(drive.readOnly == true);

    qv::hardwareui::showVolumes(
        *m_volumes, qv::hardware::holdsFileSystem(drive)
                        ? std::vector<qv::hardware::BlockVolume>{qv::hardware::driveAsVolume(drive)}
                        : drive.children);
}

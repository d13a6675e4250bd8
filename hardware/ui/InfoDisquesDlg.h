#pragma once

#include "hardware/DrivesCollector.h"
#include "hardware/ui/HardwareDialog.h"

class QListWidget;
class QTreeWidget;
class QVBoxLayout;
class TLEDLabel;

// Information › Drives: the disks on the left; on the right the selected disk's facts, lights for what
// kind of disk it is, and its volumes with how full each mounted one is. Loop and RAM devices have a
// page of their own.
class TInfoDisquesDlg : public qv::hardwareui::HardwareDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 5;

    // Collects the facts of the installed machine tree.
    explicit TInfoDisquesDlg(QWidget* parent = nullptr);

    const qv::hardware::DrivesFacts& facts() const { return m_facts; }
    QListWidget& diskList() const { return *m_disks; }
    const QTreeWidget& volumes() const { return *m_volumes; }

public slots:
    // Shows the facts and volumes of the disk at `row` of the list.
    void DiskListRowChanged(int row);

private:
    TTabSheet* disksPage();
    TTabSheet* otherDevicesPage();

    qv::hardware::DrivesFacts m_facts;
    QListWidget* m_disks = nullptr;
    QVBoxLayout* m_details = nullptr;
    QWidget* m_factGrid = nullptr;
    TLEDLabel* m_solidState = nullptr;
    TLEDLabel* m_removable = nullptr;
    TLEDLabel* m_readOnly = nullptr;
    QTreeWidget* m_volumes = nullptr;
};

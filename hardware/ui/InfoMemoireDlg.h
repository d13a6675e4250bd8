#pragma once

#include "hardware/MemoryCollector.h"
#include "hardware/ui/HardwareDialog.h"

class QTableWidget;

namespace qv::hardwareui {
class UsageBar;
}

// Information › Memory: the kernel's totals with how much is in use, and every memory slot the firmware
// describes, empty ones included. Where the firmware or the user's rights hide the slots, both pages
// say so in plain words.
class TInfoMemoireDlg : public qv::hardwareui::HardwareDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 3;

    // Collects the facts of the installed machine tree.
    explicit TInfoMemoireDlg(QWidget* parent = nullptr);

    const qv::hardware::MemoryFacts& facts() const { return m_facts; }
    qv::hardwareui::UsageBar& memoryBar() const { return *m_memoryBar; }
    // Nothing when the firmware describes no slots.
    const QTableWidget* slotTable() const { return m_slotTable; }

private:
    TTabSheet* summaryPage();
    TTabSheet* slotsPage();

    qv::hardware::MemoryFacts m_facts;
    qv::hardwareui::UsageBar* m_memoryBar = nullptr;
    QTableWidget* m_slotTable = nullptr;
};

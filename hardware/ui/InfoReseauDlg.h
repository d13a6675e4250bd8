#pragma once

#include "hardware/NetworkCollector.h"
#include "hardware/ui/HardwareDialog.h"

#include <QPointer>
#include <QThread>

class QLabel;
class QTableWidget;

// Information › Network: who and where (login, user, host, workgroup, domain, gateways, name servers) and
// one row per interface. The workgroup is asked of the network (1 s at most) after the window opens, off
// its thread, so that the window never waits for it.
class TInfoReseauDlg : public qv::hardwareui::HardwareDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 10;

    explicit TInfoReseauDlg(QWidget* parent = nullptr);
    // Waits for a workgroup query still running (it ends within its second).
    ~TInfoReseauDlg() override;

    const qv::hardware::NetworkFacts& facts() const { return m_facts; }
    const QTableWidget& interfaceTable() const { return *m_interfaces; }

signals:
    // The workgroup query answered (its answer is in facts()).
    void workgroupAnswered();

private:
    TTabSheet* identityPage();
    TTabSheet* interfacesPage();
    void askWorkgroup();
    void showWorkgroup(const std::optional<std::string>& workgroup);

    qv::hardware::NetworkFacts m_facts;
    QLabel* m_workgroup = nullptr;
    QTableWidget* m_interfaces = nullptr;
    QPointer<QThread> m_worker;
};

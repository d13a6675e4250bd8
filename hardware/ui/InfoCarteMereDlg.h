#pragma once

#include "hardware/BoardCollector.h"
#include "hardware/FactTexts.h"
#include "hardware/ui/HardwareDialog.h"

class QListWidget;

// Information › Motherboard: the system, its BIOS and its main board as the firmware describes them.
// Each page says in plain words which facts the firmware or the user's rights keep back.
class TInfoCarteMereDlg : public qv::hardwareui::HardwareDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 7;

    // Collects the facts of the installed machine tree.
    explicit TInfoCarteMereDlg(QWidget* parent = nullptr);

    const qv::hardware::BoardFacts& facts() const { return m_facts; }
    // Nothing when the firmware gives no BIOS features.
    const QListWidget* featureList() const { return m_features; }

private:
    TTabSheet* factPage(const char* name, const QString& caption,
                        const std::vector<qv::hardware::FactLine>& lines, QWidget* extra = nullptr);
    QWidget* featuresBox();

    qv::hardware::BoardFacts m_facts;
    QListWidget* m_features = nullptr;
};

#pragma once

#include "hardware/VideoCollector.h"
#include "hardware/ui/HardwareDialog.h"

#include <string>
#include <vector>

class QTableWidget;

// Information › Video: the display controllers, the connectors with their monitors, the screens the
// program runs on and OpenGL's strings. Each page says why it has nothing to show.
class TInfoVideoDlg : public qv::hardwareui::HardwareDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 6;

    // Collects the facts of the installed machine tree; the screens and OpenGL from this application's
    // display where the tree is the live machine.
    explicit TInfoVideoDlg(QWidget* parent = nullptr);

    const qv::hardware::VideoFacts& facts() const { return m_facts; }

private:
    TTabSheet* tablePage(const char* name, const QString& caption, QTableWidget* table,
                         const std::vector<std::string>& notes);
    TTabSheet* openGlPage();

    qv::hardware::VideoFacts m_facts;
};

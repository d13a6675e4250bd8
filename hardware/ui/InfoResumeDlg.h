#pragma once

#include "hardware/summary/SystemSummary.h"
#include "hardware/ui/HardwareDialog.h"

// Information › System summary: one page each for the processor, memory, operating system, board, video,
// drives and network. It shows what needs no waiting (no clock measurement, no network query, no OpenGL
// context), so it opens at once.
class TInfoResumeDlg : public qv::hardwareui::HardwareDialog {
    Q_OBJECT

public:
    // The command has no help topic of its own: Help opens the contents.
    static constexpr int kHelpContext = 0;

    explicit TInfoResumeDlg(QWidget* parent = nullptr);

    const qv::hardware::SystemSummary& summary() const { return m_summary; }

private:
    qv::hardware::SystemSummary m_summary;
};

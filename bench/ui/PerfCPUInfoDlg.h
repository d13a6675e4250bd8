#pragma once

#include "bench/ui/BenchDialogs.h"

#include <memory>

namespace Ui {
class PerfCPUInfoDlg;
}

// The CPU benchmark's introduction: what the test does, how to get accurate results, Start or Cancel.
class TPerfCPUInfoDlg : public qv::benchui::BenchInfoDialog {
    Q_OBJECT

public:
    explicit TPerfCPUInfoDlg(QWidget* parent = nullptr);
    ~TPerfCPUInfoDlg() override;

    const Ui::PerfCPUInfoDlg& form() const { return *m_ui; }

protected:
    qv::benchui::BenchRunWindow& runWindow() const override;

private:
    std::unique_ptr<Ui::PerfCPUInfoDlg> m_ui;
};

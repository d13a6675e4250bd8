#pragma once

#include "bench/ui/BenchDialogs.h"

#include <memory>

namespace Ui {
class PerfMemoireInfoDlg;
}

// The memory benchmark's introduction: what the test measures, how to get accurate results, Start or
// Cancel.
class TPerfMemoireInfoDlg : public qv::benchui::BenchInfoDialog {
    Q_OBJECT

public:
    explicit TPerfMemoireInfoDlg(QWidget* parent = nullptr);
    ~TPerfMemoireInfoDlg() override;

    const Ui::PerfMemoireInfoDlg& form() const { return *m_ui; }

protected:
    qv::benchui::BenchRunWindow& runWindow() const override;

private:
    std::unique_ptr<Ui::PerfMemoireInfoDlg> m_ui;
};

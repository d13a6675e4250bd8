#pragma once

#include "bench/MemoryReferenceTables.h"
#include "bench/ui/BenchDialogs.h"

#include <cstdint>
#include <memory>

namespace Ui {
class PerfMemoireChartDlg;
}

// The memory comparison window: the user's memory index among a family of reference machines, its
// stars and verdict and a counter that climbs to it.
class TPerfMemoireChartDlg : public qv::benchui::BenchChartDialog {
    Q_OBJECT

public:
    explicit TPerfMemoireChartDlg(QWidget* parent = nullptr);
    ~TPerfMemoireChartDlg() override;

    void SetUserIndex(std::int32_t index) { UserIndex = index; }

    const Ui::PerfMemoireChartDlg& form() const { return *m_ui; }
    qv::bench::MemoryFamily shownFamily() const { return m_family; }

public slots:
    void FormActivate() override;
    void CompareTo486Click();
    void CompareToPentiumClick();
    void CompareToPentiumIIClick();
    void PentiumIIIClick();
    void Button3Click();

private:
    void fillFamily(qv::bench::MemoryFamily family);

    std::unique_ptr<Ui::PerfMemoireChartDlg> m_ui;
    std::int32_t UserIndex = 0;
    qv::bench::MemoryFamily m_family = qv::bench::MemoryFamily::I486;
};

#pragma once

#include "bench/CpuReferenceTables.h"
#include "bench/ui/BenchDialogs.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class PerfCPUChartDlg;
}

namespace qv::charts {
class BarChartView;
}

// The CPU comparison window: the user's three indices among a family of reference processors on three
// chart pages, the stars and verdict of the general index and a counter that climbs to it.
class TPerfCPUChartDlg : public qv::benchui::BenchChartDialog {
    Q_OBJECT

public:
    explicit TPerfCPUChartDlg(QWidget* parent = nullptr);
    ~TPerfCPUChartDlg() override;

    void SetIndices(std::int32_t alu, std::int32_t fpu, std::int32_t general);

    const Ui::PerfCPUChartDlg& form() const { return *m_ui; }
    qv::bench::CpuFamily shownFamily() const { return m_family; }
    qv::charts::BarChartView& chart(qv::bench::CpuChart which) const;

public slots:
    void FormActivate() override;
    void BoutonOngletCPUClick();
    void TransparentButton1Click();
    void TransparentButton2Click();
    void CompareToPentiumClick();
    void ButtonCeleronClick();
    void ButtonDuronClick();
    void CompareToPentiumIIClick();
    void ButtonAthlonClick();
    void CompareToPentiumIIIClick();
    void ButtonTBirdClick();
    void buttonCompareToPentium4Click();
    void buttonCompareToAthlonXPClick();

private:
    void connectButtons();
    void showPage(QWidget* page);
    void fillFamily(qv::bench::CpuFamily family);
    QLabel& caption(qv::bench::CpuChart which) const;

    std::unique_ptr<Ui::PerfCPUChartDlg> m_ui;
    std::int32_t AluIndex = 0;
    std::int32_t FpuIndex = 0;
    std::int32_t GeneralIndex = 0;
    qv::bench::CpuFamily m_family = qv::bench::CpuFamily::Pentium;
};

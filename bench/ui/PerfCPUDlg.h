#pragma once

#include "bench/ui/CpuKernels.h"
#include "forms/QvDialog.h"

#include <cstdint>

class QFrame;
class QLabel;
class TAnimated;

// The CPU benchmark run window: one long-lived instance shows the progress of the ALU and FPU tests,
// then opens the comparison chart when ChartAfterRun is set.
class TPerfCPUDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    explicit TPerfCPUDlg(QWidget* parent = nullptr);

    void SetChartAfterRun(bool flag) { ChartAfterRun = flag; }
    bool chartAfterRun() const { return ChartAfterRun; }
    void RunCpuBenchmark();

    void setKernels(qv::benchui::CpuKernels kernels) { m_kernels = std::move(kernels); }

    std::int32_t aluIndex() const { return AluIndex; }
    std::int32_t fpuIndex() const { return FpuIndex; }
    std::int32_t generalIndex() const { return GeneralIndex; }

    // The controls, for the windows' tests.
    QLabel* ImageFond = nullptr;
    QLabel* LabelALU = nullptr;
    QLabel* LabelFPU = nullptr;
    QLabel* etatALU = nullptr;
    QLabel* etatFPU = nullptr;
    TAnimated* checkALU = nullptr;
    TAnimated* checkFPU = nullptr;
    QLabel* Status = nullptr;

public slots:
    void FormActivate() override;

private:
    void showAluStep();
    void showFpuStep();
    void showDoneStep();

    bool ChartAfterRun = false;
    std::int32_t AluIndex = 0;
    std::int32_t FpuIndex = 0;
    std::int32_t GeneralIndex = 0;
    qv::benchui::CpuKernels m_kernels = qv::benchui::CpuKernels::standard();
};

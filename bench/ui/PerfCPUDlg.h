#pragma once

#include "bench/ui/BenchDialogs.h"
#include "bench/ui/CpuKernels.h"

#include <cstdint>
#include <memory>

namespace Ui {
class PerfCPUDlg;
}

// The CPU benchmark run window: one long-lived instance shows the progress of the ALU and FPU tests,
// then opens the comparison chart when ChartAfterRun is set.
class TPerfCPUDlg : public qv::benchui::BenchRunWindow {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 201;

    explicit TPerfCPUDlg(QWidget* parent = nullptr);
    ~TPerfCPUDlg() override;

    void RunCpuBenchmark();
    void run() override { RunCpuBenchmark(); }

    void setKernels(qv::benchui::CpuKernels kernels) { m_kernels = std::move(kernels); }

    std::int32_t aluIndex() const { return AluIndex; }
    std::int32_t fpuIndex() const { return FpuIndex; }
    std::int32_t generalIndex() const { return GeneralIndex; }

    const Ui::PerfCPUDlg& form() const { return *m_ui; }

public slots:
    void FormActivate() override;

private:
    void showAluStep();
    void showFpuStep();
    void showDoneStep();

    std::unique_ptr<Ui::PerfCPUDlg> m_ui;
    std::int32_t AluIndex = 0;
    std::int32_t FpuIndex = 0;
    std::int32_t GeneralIndex = 0;
    qv::benchui::CpuKernels m_kernels = qv::benchui::CpuKernels::standard();
};

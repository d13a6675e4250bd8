#pragma once

#include "bench/MemoryKernel.h"
#include "bench/ui/BenchDialogs.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace Ui {
class PerfMemoireDlg;
}

namespace qv::benchui {
// The memory kernel as the run window calls it: prepares, times and frees the buffers and scores the
// speed. Window tests put instant stand-ins or kernels with a failing allocator in.
using MemoryKernel = std::function<qv::bench::MemoryBenchmarkFigures()>;
} // namespace qv::benchui

// The memory benchmark run window: one long-lived instance shows a status line while the block moves
// are timed, then opens the comparison chart when ChartAfterRun is set.
class TPerfMemoireDlg : public qv::benchui::BenchRunWindow {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 202;

    explicit TPerfMemoireDlg(QWidget* parent = nullptr);
    ~TPerfMemoireDlg() override;

    void RunMemoryBenchmark();
    void run() override { RunMemoryBenchmark(); }

    // An empty kernel restores the real one (runMemoryKernel on the steady clock and the system heap).
    void setKernel(qv::benchui::MemoryKernel kernel);

    // The index of the last run that finished.
    std::int32_t memoryIndex() const { return m_memoryIndex; }

    const Ui::PerfMemoireDlg& form() const { return *m_ui; }

public slots:
    void FormActivate() override;

private:
    std::unique_ptr<Ui::PerfMemoireDlg> m_ui;
    std::int32_t m_memoryIndex = 0;
    qv::benchui::MemoryKernel m_kernel;
};

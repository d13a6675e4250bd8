#pragma once

#include "bench/disk/DiskBenchmark.h"
#include "forms/QvDialog.h"

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class TTransparentButton;

namespace qv::charts {
class BarChartView;
}

namespace qv::benchui {
class DiskBenchJob;
class RunRecording;
} // namespace qv::benchui

// Benchmark › Hard disk: the folder, size and time of the test file, Start/Stop, the running test, then
// the four tests' figures and a chart of the chosen one beside the drive classes, with the disk index.
class TDiskBenchDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 203;

    explicit TDiskBenchDlg(QWidget* parent = nullptr);
    ~TDiskBenchDlg() override;

    void setFolder(const QString& folder);
    // The settings Start would run with.
    qv::bench::disk::DiskSettings settings() const;
    bool running() const;
    // Shows a finished run: its figures, the disk index and the chosen test beside the drive classes.
    void showResult(const qv::bench::disk::DiskResult& result);

public slots:
    void StartStopClick();
    void BrowseClick();
    void HelpClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void setRunning(bool running);
    void showFailure(const QString& message);
    void showChart();

    QLineEdit* m_folder = nullptr;
    QSpinBox* m_size = nullptr;
    QSpinBox* m_seconds = nullptr;
    TTransparentButton* m_startStop = nullptr;
    QLabel* m_progress = nullptr;
    QTableWidget* m_table = nullptr;
    QComboBox* m_chartTest = nullptr;
    QLabel* m_index = nullptr;
    QLabel* m_note = nullptr;
    qv::charts::BarChartView* m_chart = nullptr;
    qv::benchui::DiskBenchJob* m_job = nullptr;
    std::optional<qv::bench::disk::DiskResult> m_result;
    // The run under way and the last finished one, as saved sessions.
    std::unique_ptr<qv::benchui::RunRecording> m_recording;
    qv::bench::disk::DiskSettings m_runSettings;
};

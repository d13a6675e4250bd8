#pragma once

#include "bench/charts/BarChart.h"
#include "forms/QvDialog.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QTableWidget;
class TTransparentButton;

namespace qv::charts {
class BarChartView;
}
namespace qv::cli {
struct DiskSession;
}
namespace qv::results {
enum class Benchmark;
}

namespace qv::benchui {

class NetBenchJob;
class RunRecording;

// What the network and the Internet benchmark windows share: Start/Stop, the live line, the results
// table, a chart of one figure beside the typical links, Help and Close. The run itself is the
// subclass's; the window never waits for it.
class NetBenchWindow : public qv::look::QvDialog {
    Q_OBJECT

public:
    ~NetBenchWindow() override;
    bool running() const;

public slots:
    void StartStopClick();
    void HelpClick();

protected:
    NetBenchWindow(QWidget* parent, const QString& objectName, const QString& title, int helpContext,
                   results::Benchmark benchmark);

    // Starts the run on job(); throws std::exception with the user's message when it cannot.
    virtual void startRun() = 0;
    // The controls that stay disabled while a run goes on.
    virtual QList<QWidget*> settingControls() const = 0;
    // The figure the chart shows, for the typical links (in the links' order) and for this run.
    virtual std::vector<double> referenceValues() const = 0;
    virtual std::optional<double> measuredValue() const = 0;

    // Lays out, from `row` of the grid: the Start button beside `settingsRow`, the live line, the table
    // with `rows`, the chart with its `choices`, the note and the closing buttons.
    void buildRunControls(QGridLayout* grid, int settingsRow, int row, const QStringList& rows,
                          const QStringList& choices, const QString& measuredLabel);
    NetBenchJob& job() const { return *m_job; }
    void showFigures(const QStringList& values, const QString& note);
    // Records a run that ended as a session of this program (what the chart's menu saves), unless it was
    // stopped or measured nothing, as the tool saves no such run.
    void record(cli::DiskSession session, bool keep);
    void showFailure(const QString& message);
    void showChart();
    int chartChoice() const;
    void closeEvent(QCloseEvent* event) override;

private:
    void setRunning(bool running);

    QString m_title;
    int m_helpContext;
    QString m_measuredLabel;
    NetBenchJob* m_job = nullptr;
    TTransparentButton* m_startStop = nullptr;
    QLabel* m_progress = nullptr;
    QTableWidget* m_table = nullptr;
    QComboBox* m_chartChoice = nullptr;
    QLabel* m_note = nullptr;
    qv::charts::BarChartView* m_chart = nullptr;
    std::unique_ptr<RunRecording> m_recording;
};

} // namespace qv::benchui

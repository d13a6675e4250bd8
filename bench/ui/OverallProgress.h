#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace qv::benchui {

class OverallBenchJob;

// How far an overall run is, for the window and the wizard: the bold line naming the benchmark running
// (and its step, for the disk and display benchmarks) over a bar of the benchmarks done.
class OverallProgress : public QWidget {
    Q_OBJECT

public:
    OverallProgress(OverallBenchJob& job, QWidget* parent);

    void setText(const QString& text);
    // Before a run: nothing done of the `count` planned.
    void restart(int count);
    void showFinished();

private:
    QLabel* m_line;
    QProgressBar* m_bar;
    QString m_stage; // the benchmark running and how far the run is
};

} // namespace qv::benchui

#pragma once

#include "bench/overall/OverallRun.h"
#include "forms/QvDialog.h"

#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QStackedWidget;
class TTransparentButton;
namespace qv::benchui {
class OverallBenchJob;
class OverallProgress;
} // namespace qv::benchui

// Wizards › Performances Wizard: an introduction, the benchmarks to run, the run with its progress and
// Stop, then the findings: what limits this machine, each with the figure behind it.
class TPerformancesWizardDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 802;
    enum Page { Introduction, Choice, Running, Findings };

    explicit TPerformancesWizardDlg(QWidget* parent = nullptr);
    ~TPerformancesWizardDlg() override;

    Page page() const;
    // The benchmarks ticked on the choice page, in run order.
    std::vector<qv::results::Benchmark> chosen() const;
    // Shows the findings of a finished run.
    void showFindings(const qv::bench::overall::OverallResult& result);

public slots:
    void BackClick();
    void NextClick();
    void HelpClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* introductionPage();
    QWidget* choicePage();
    QWidget* runningPage();
    QWidget* findingsPage();
    void showPage(Page page);

    QStackedWidget* m_pages = nullptr;
    std::vector<std::pair<qv::results::Benchmark, QCheckBox*>> m_choices;
    qv::benchui::OverallProgress* m_progress = nullptr;
    QLabel* m_indices = nullptr;
    QLabel* m_findings = nullptr;
    TTransparentButton* m_back = nullptr;
    TTransparentButton* m_next = nullptr;
    qv::benchui::OverallBenchJob* m_job = nullptr;
};

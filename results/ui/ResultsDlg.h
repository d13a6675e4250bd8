#pragma once

#include "forms/QvDialog.h"

#include <vector>

class QTabWidget;

// moc cannot read the standard library headers that the results' header pulls in.
namespace qv::results {
struct SavedResult;
}
namespace qv::resultsui {
struct BenchmarkSessions;
}

// File › Open results: the sessions of a saved result or report, one page per benchmark with their
// table and a chart of the chosen index beside the reference machines and this program session's runs.
class TResultsDlg : public qv::look::QvDialog {
    Q_OBJECT

public:
    TResultsDlg(QWidget* parent, const QString& fileName, const std::vector<qv::results::SavedResult>& opened,
                const std::vector<qv::results::SavedResult>& thisSession);

    QTabWidget& pages() const { return *m_pages; }

public slots:
    void HelpClick();

private:
    QWidget* benchmarkPage(const qv::resultsui::BenchmarkSessions& sessions);

    QTabWidget* m_pages = nullptr;
};

namespace qv::resultsui {

// Asks for a results file (the program's ".qvr" files, the tool's JSON files, every file) and shows it.
void OpenResultsClick(QWidget* parent);

// Reads `path` and shows it in the results window beside this program session's runs. A file that
// cannot be read, is damaged, of another format or of a newer version gives one message and nothing
// else; returns false then.
bool showResultsFile(QWidget* parent, const QString& path);

} // namespace qv::resultsui

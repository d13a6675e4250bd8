#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QFileDialog;
class QMenu;
class QWidget;

// moc cannot read the standard library headers that the results' header pulls in.
namespace qv::results {
enum class Benchmark;
struct SavedResult;
} // namespace qv::results

namespace qv::benchui {

// The file dialogs of saved results: the program's own ".qvr" files first, then the JSON files of the
// command-line tool, then every file.
QStringList resultFileFilters();
// A save dialog for a result or report file, `proposed` already filled in; existing files are
// confirmed by the caller (confirmReplace), so that the question is the program's own.
std::unique_ptr<QFileDialog> resultSaveDialog(QWidget* parent, const QString& caption,
                                              const QString& proposed, const QStringList& filters,
                                              const QString& suffix);
// Asks whether `path` may be replaced when it exists; true when it does not or the user says yes.
bool confirmReplace(QWidget* parent, const QString& path);

// "cpu-20261209-0745.qvr" in the data folder: the name proposed for a session.
QString proposedResultPath(const results::SavedResult& session);

// Asks for a file name (proposing one in the data folder), confirms replacing an existing file and
// writes the session as `bench --save` does. False when the user cancelled; a failed write throws
// results::FileError.
bool saveSession(QWidget* parent, const results::SavedResult& session);

// The last session of `benchmark` that this program session ran, when there is one: what a chart of
// that benchmark saves.
std::function<std::optional<results::SavedResult>()> lastSessionOf(results::Benchmark benchmark);

// Saving from a benchmark window, without a control of its own: each chart of the window gets a context
// menu with "&Save results..." that the mouse, Shift+F10 and the menu key open, and that assistive tools
// reach through the chart's "ShowMenu" action. The action is enabled while `session` gives a session.
// A window adds it once, after building its charts:
//     qv::benchui::ResultSaving::attach(*this, {chartA, chartB}, [this] { return m_lastSession; });
class ResultSaving : public QObject {
    Q_OBJECT

public:
    using SessionSource = std::function<std::optional<results::SavedResult>()>;

    static ResultSaving* attach(QWidget& window, const std::vector<QWidget*>& charts, SessionSource session);

    QAction* saveAction() const { return m_save; }
    // Opens the menu over the first visible chart (Shift+F10, the menu key) and returns it.
    QMenu* openMenu();
    void save();

private:
    ResultSaving(QWidget& window, std::vector<QWidget*> charts, SessionSource session);
    QMenu* openMenuAt(QWidget& chart, const QPoint& position);

    QWidget& m_window;
    std::vector<QWidget*> m_charts;
    SessionSource m_session;
    QAction* m_save = nullptr;
    QMenu* m_menu = nullptr;
};

} // namespace qv::benchui

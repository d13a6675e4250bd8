#pragma once

#include <QSet>
#include <QString>
#include <QUrl>

class QWidget;

namespace qv::platform {

// The program's help: one HTML file with an anchor "context-N" per help context number, context 0
// being the contents. A request shows the topic in the program's own help window, a child of the
// window that asked (so it is usable over a modal dialog). An unknown context shows the contents; a
// missing help file shows nothing, like a help request whose result is ignored.
class HelpEngine {
public:
    static constexpr int kContents = 0;

    static HelpEngine& instance();

    void setHelpFile(const QString& path);
    QString helpFile() const { return m_path; }

    // The address shown for a context, or an empty URL without a help file.
    QUrl topicUrl(int context) const;
    bool showHelp(QWidget* requester, int context);

    // The context of the last request, -1 before any.
    int lastRequestedContext() const { return m_lastContext; }

    // Makes F1 in `window` show its topic.
    static void bindHelpKey(QWidget* window, int context);

private:
    void loadAnchors();

    QString m_path;
    QSet<int> m_contexts;
    int m_lastContext = -1;
};

} // namespace qv::platform

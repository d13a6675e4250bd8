#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace qv::platform {

// The program's help viewer: a browser over the help file with contents, back and close buttons.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent);

    // Shows `url` in the help window belonging to `requester`'s window, creating it when needed.
    static HelpWindow* showTopic(QWidget* requester, const QUrl& url);

    QUrl currentSource() const;

private:
    void showContents();

    QTextBrowser* m_browser;
};

} // namespace qv::platform

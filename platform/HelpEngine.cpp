#include "platform/HelpEngine.h"

#include "platform/FileAccess.h"
#include "platform/HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QShortcut>
#include <QWidget>

namespace qv::platform {

namespace {
QString anchorName(int context)
{
    return QStringLiteral("context-%1").arg(context);
}
} // namespace

HelpEngine& HelpEngine::instance()
{
    static HelpEngine engine;
    return engine;
}

void HelpEngine::setHelpFile(const QString& path)
{
    m_path = path;
    loadAnchors();
}

void HelpEngine::loadAnchors()
{
    m_contexts.clear();
    // The help file is a few hundred kilobytes; more is not ours.
    constexpr std::int64_t kMaxHelpFileSize = std::int64_t{16} * 1024 * 1024;
    QString html;
    try {
        html = QString::fromStdString(
            readBoundedFile(QFile::encodeName(m_path).toStdString(), kMaxHelpFileSize));
    } catch (const FileAccessError&) {
        return;
    }
    static const QRegularExpression anchor(QStringLiteral(R"re(name="context-(\d+)")re"));
    for (const auto& match : anchor.globalMatch(html))
        m_contexts.insert(match.captured(1).toInt());
}

QUrl HelpEngine::topicUrl(int context) const
{
    if (!QFileInfo(m_path).isFile())
        return {};
    QUrl url = QUrl::fromLocalFile(QFileInfo(m_path).absoluteFilePath());
    url.setFragment(anchorName(m_contexts.contains(context) ? context : kContents));
    return url;
}

bool HelpEngine::showHelp(QWidget* requester, int context)
{
    m_lastContext = context;
    const QUrl url = topicUrl(context);
    if (url.isEmpty())
        return false;
    HelpWindow::showTopic(requester, url);
    return true;
}

void HelpEngine::bindHelpKey(QWidget* window, int context)
{
    auto* shortcut = new QShortcut(QKeySequence::HelpContents, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window,
                     [window, context] { instance().showHelp(window, context); });
}

} // namespace qv::platform

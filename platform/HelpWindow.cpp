#include "platform/HelpWindow.h"

#include "platform/HelpEngine.h"

#include "qv/Config.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace qv::platform {

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromLatin1(qv::config::kApplicationTitle) + QStringLiteral(" Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 520);

    m_browser->setOpenExternalLinks(true);
    m_browser->document()->setDocumentMargin(12);
    auto* contents = new QPushButton(tr("&Contents"), this);
    auto* back = new QPushButton(tr("&Back"), this);
    auto* close = new QPushButton(tr("Close"), this);
    back->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addLayout(buttons);
}

HelpWindow* HelpWindow::showTopic(QWidget* requester, const QUrl& url)
{
    QWidget* owner = requester ? requester->window() : QApplication::activeWindow();
    auto* window = owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window)
        window = new HelpWindow(owner);
    window->m_browser->setSource(url);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QUrl HelpWindow::currentSource() const
{
    return m_browser->source();
}

void HelpWindow::showContents()
{
    const QUrl contents = HelpEngine::instance().topicUrl(HelpEngine::kContents);
    if (!contents.isEmpty())
        m_browser->setSource(contents);
}

} // namespace qv::platform

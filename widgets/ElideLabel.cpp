#include "widgets/ElideLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

QString TElideLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QString TElideLabel::shownToolTip() const
{
    if (!isElided())
        return toolTip();
    return toolTip().isEmpty() ? text() : text() + QLatin1Char('\n') + toolTip();
}

bool TElideLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && isElided()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), shownToolTip(), this);
        return true;
    }
    return QLabel::event(event);
}

void TElideLabel::paintEvent(QPaintEvent* event)
{
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                          shownText(), foregroundRole());
}

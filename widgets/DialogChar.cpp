#include "widgets/DialogChar.h"

#include <QWidget>

namespace qv::widgets {

bool dispatchDialogChar(QWidget* window, const QKeySequence& key)
{
    if (!window)
        return false;
    // findChildren walks depth first, parents before their children.
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (auto* target = dynamic_cast<DialogCharTarget*>(widget);
            target && widget->isVisible() && target->dialogChar(key))
            return true;
    return false;
}

QString withoutMnemonic(const QString& caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    return plain;
}

} // namespace qv::widgets

#include "widgets/LedAccessible.h"

#include "widgets/Accessibility.h"
#include "widgets/DialogChar.h"
#include "widgets/LED.h"

namespace qv::widgets {

LedAccessible::LedAccessible(QWidget* led)
    : QAccessibleWidget(led, QAccessible::CheckBox)
{
}

TLED* LedAccessible::led() const
{
    return static_cast<TLED*>(widget());
}

QString LedAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (const auto* label = qobject_cast<const TLEDLabel*>(led());
            label && led()->accessibleName().isEmpty())
            return withoutMnemonic(label->Caption());
        return QAccessibleWidget::text(t);
    case QAccessible::Description:
        return accessibleHint(*led());
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State LedAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.checkable = true;
    state.checked = led()->isShownLit();
    return state;
}

} // namespace qv::widgets

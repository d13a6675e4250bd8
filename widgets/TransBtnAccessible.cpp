#include "widgets/TransBtnAccessible.h"

#include "widgets/Accessibility.h"
#include "widgets/DialogChar.h"
#include "widgets/TransBtn.h"

namespace qv::widgets {

TransBtnAccessible::TransBtnAccessible(QWidget* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

TTransparentButton* TransBtnAccessible::button() const
{
    return static_cast<TTransparentButton*>(widget());
}

QString TransBtnAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return button()->accessibleName().isEmpty() ? withoutMnemonic(button()->Caption())
                                                    : button()->accessibleName();
    case QAccessible::Description:
        return accessibleHint(*button());
    case QAccessible::Accelerator: {
        const QKeySequence mnemonic = QKeySequence::mnemonic(button()->Caption());
        return mnemonic.toString(QKeySequence::NativeText);
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State TransBtnAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button()->isDrawnPressed();
    state.defaultButton = button()->Default();
    if (const QVariant selected = button()->property(kSelectedProperty); selected.isValid()) {
        state.selectable = true;
        state.selected = selected.toBool();
    }
    return state;
}

QStringList TransBtnAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void TransBtnAccessible::doAction(const QString& actionName)
{
    if (actionName != pressAction())
        return QAccessibleWidget::doAction(actionName);
    if (button()->isEnabled())
        button()->click();
}

QStringList TransBtnAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName != pressAction())
        return QAccessibleWidget::keyBindingsForAction(actionName);
    return {QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
}

} // namespace qv::widgets

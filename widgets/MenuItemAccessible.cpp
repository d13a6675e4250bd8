#include "widgets/MenuItemAccessible.h"

#include "widgets/DialogChar.h"

#include <QAction>
#include <QMenu>

namespace qv::widgets {

MenuItemAccessible::MenuItemAccessible(QAction* action, QMenu* menu)
    : m_action(action)
    , m_menu(menu)
{
}

QAccessibleInterface* MenuItemAccessible::create(QObject* object)
{
    auto* action = qobject_cast<QAction*>(object);
    if (!action || action->menu())
        return nullptr;
    for (QObject* owner : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return new MenuItemAccessible(action, menu);
    return nullptr;
}

bool MenuItemAccessible::isValid() const
{
    return m_action && m_menu;
}

QObject* MenuItemAccessible::object() const
{
    return m_action;
}

QAccessibleInterface* MenuItemAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_menu);
}

QAccessibleInterface* MenuItemAccessible::child(int) const
{
    return nullptr;
}

int MenuItemAccessible::childCount() const
{
    return 0;
}

int MenuItemAccessible::indexOfChild(const QAccessibleInterface*) const
{
    return -1;
}

QAccessibleInterface* MenuItemAccessible::childAt(int, int) const
{
    return nullptr;
}

QString MenuItemAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return withoutMnemonic(m_action->text());
    case QAccessible::Description:
        return m_action->statusTip();
    case QAccessible::Accelerator:
        return (m_action->shortcut().isEmpty() ? QKeySequence::mnemonic(m_action->text())
                                               : m_action->shortcut())
            .toString(QKeySequence::NativeText);
    default:
        return {};
    }
}

void MenuItemAccessible::setText(QAccessible::Text, const QString&) {}

QRect MenuItemAccessible::rect() const
{
    return m_menu->actionGeometry(m_action).translated(m_menu->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role MenuItemAccessible::role() const
{
    return m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
}

QAccessible::State MenuItemAccessible::state() const
{
    QAccessible::State state;
    state.invisible = !m_menu->isVisible() || !m_action->isVisible();
    state.focused = m_menu->activeAction() == m_action;
    state.disabled = m_action->isSeparator() || !m_action->isEnabled();
    state.checkable = m_action->isCheckable();
    state.checked = m_action->isChecked();
    return state;
}

void* MenuItemAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList MenuItemAccessible::actionNames() const
{
    return m_action->isSeparator() ? QStringList() : QStringList{pressAction()};
}

void MenuItemAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && m_action->isEnabled())
        m_action->trigger();
}

QStringList MenuItemAccessible::keyBindingsForAction(const QString&) const
{
    return {};
}

} // namespace qv::widgets

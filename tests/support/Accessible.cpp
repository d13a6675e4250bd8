#include "tests/support/Accessible.h"

#include <QAccessibleActionInterface>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <vector>

namespace qv::test {

namespace {

// Deep enough for any window here; a loop in the tree stops at it instead of running away.
constexpr int kMaxDepth = 40;

void walk(QAccessibleInterface* iface, int depth, const std::function<void(QAccessibleInterface&)>& visit)
{
    if (!iface || !iface->isValid() || depth > kMaxDepth)
        return;
    visit(*iface);
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), depth + 1, visit);
}

bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::Indicator:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
        return true;
    default:
        return false;
    }
}

bool isCommand(QAccessible::Role role)
{
    return role == QAccessible::Button || role == QAccessible::PageTab || role == QAccessible::MenuItem;
}

QString describe(QAccessibleInterface& iface)
{
    const QObject* object = iface.object();
    const QString name = object ? object->objectName() : QString();
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(int(iface.role()), 0, 16)
        .arg(name.isEmpty() && object ? QString::fromLatin1(object->metaObject()->className()) : name,
             iface.text(QAccessible::Name));
}

} // namespace

bool offersAction(QAccessibleInterface& iface, const QString& action)
{
    const QAccessibleActionInterface* actions = iface.actionInterface();
    return actions && actions->actionNames().contains(action);
}

QStringList accessibilityProblems(QWidget& window)
{
    QStringList problems;
    walk(QAccessible::queryAccessibleInterface(&window), 0, [&](QAccessibleInterface& iface) {
        const QAccessible::Role role = iface.role();
        if (isControl(role) && iface.text(QAccessible::Name).trimmed().isEmpty())
            problems << QStringLiteral("no name: ") + describe(iface);
        const QAccessibleActionInterface* actions = iface.actionInterface();
        const QStringList names = actions ? actions->actionNames() : QStringList();
        const bool acts = std::any_of(names.begin(), names.end(), [](const QString& name) {
            return name != QAccessibleActionInterface::setFocusAction();
        });
        const auto* widget = qobject_cast<const QWidget*>(iface.object());
        if (role == QAccessible::Client && iface.state().focusable && widget && !widget->focusProxy())
            problems << QStringLiteral("reached with Tab but reads as a bare area: ") + describe(iface);
        if (isCommand(role) && !acts && !iface.state().disabled)
            problems << QStringLiteral("no action: ") + describe(iface);
    });
    return problems;
}

QList<QAccessibleInterface*> accessibleWithRole(QWidget& window, QAccessible::Role role)
{
    QList<QAccessibleInterface*> found;
    walk(QAccessible::queryAccessibleInterface(&window), 0, [&](QAccessibleInterface& iface) {
        if (iface.role() == role)
            found << &iface;
    });
    return found;
}

QList<const QObject*> ScopedAccessibleEvents::changed(bool (*flag)(const QAccessible::State&)) const
{
    QList<const QObject*> objects;
    for (const auto& [object, states] : m_changes)
        if (flag(states))
            objects << object;
    return objects;
}

QList<const QObject*> ScopedAccessibleEvents::checkedChanges() const
{
    return changed([](const QAccessible::State& states) { return bool(states.checked); });
}

QList<const QObject*> ScopedAccessibleEvents::selectedChanges() const
{
    return changed([](const QAccessible::State& states) { return bool(states.selected); });
}

} // namespace qv::test

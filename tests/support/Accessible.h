#pragma once

#include <QAccessible>
#include <QList>
#include <QStringList>

#include "widgets/Accessibility.h"

#include <utility>
#include <vector>

class QObject;
class QWidget;

namespace qv::test {

// What an assistive tool would stumble on in `window`'s accessible tree, read in-process: a push button,
// check box, radio button, indicator, page tab or menu item without a name, or an enabled push button,
// page tab or menu item without an action, or a control reached with Tab that reads as a bare area. One line
// per problem, naming the object.
QStringList accessibilityProblems(QWidget& window);

// Every interface of `window`'s accessible tree with `role`, in tree order.
QList<QAccessibleInterface*> accessibleWithRole(QWidget& window, QAccessible::Role role);

// Whether `iface` offers `action` (QAccessibleActionInterface::pressAction(), …).
bool offersAction(QAccessibleInterface& iface, const QString& action);

// While alive, records the state changes the program's controls report instead of passing them to Qt.
class ScopedAccessibleEvents {
public:
    // The objects whose checked state was reported changed, in order.
    QList<const QObject*> checkedChanges() const;
    // The objects whose selected state was reported changed, in order.
    QList<const QObject*> selectedChanges() const;

private:
    QList<const QObject*> changed(bool (*flag)(const QAccessible::State&)) const;

    std::vector<std::pair<const QObject*, QAccessible::State>> m_changes;
    widgets::ScopedAccessibleEventSink m_sink{[this](QAccessibleEvent& event) {
        if (event.type() == QAccessible::StateChanged)
            m_changes.emplace_back(event.object(),
                                   static_cast<QAccessibleStateChangeEvent&>(event).changedStates());
    }};
};

} // namespace qv::test

#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QPointer>

class QAction;
class QMenu;

namespace qv::widgets {

// A command of a popup menu, as Qt presents it and with its hint (the status tip the hint line shows) as
// its description.
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    // The interface of `object` when it is a command (not a submenu) of a popup menu; nullptr otherwise.
    static QAccessibleInterface* create(QObject* object);

    bool isValid() const override;
    QObject* object() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    MenuItemAccessible(QAction* action, QMenu* menu);

    QPointer<QAction> m_action;
    QPointer<QMenu> m_menu;
};

} // namespace qv::widgets

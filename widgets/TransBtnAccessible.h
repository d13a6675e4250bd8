#pragma once

#include <QAccessibleWidget>

class TTransparentButton;

namespace qv::widgets {

// A transparent button as a push button: named by its caption (or its accessible name, for buttons that
// show only a picture), described by its hint, pressed by the Press action.
class TransBtnAccessible : public QAccessibleWidget {
public:
    explicit TransBtnAccessible(QWidget* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TTransparentButton* button() const;
};

} // namespace qv::widgets

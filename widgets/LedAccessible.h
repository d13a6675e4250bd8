#pragma once

#include <QAccessibleWidget>

class TLED;

namespace qv::widgets {

// An LED (or LED label) as a read-only check box: named by its caption, checked while it shows lit,
// described by its hint.
class LedAccessible : public QAccessibleWidget {
public:
    explicit LedAccessible(QWidget* led);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

private:
    TLED* led() const;
};

} // namespace qv::widgets

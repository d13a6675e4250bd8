#include "widgets/TabOrder.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>

namespace qv::widgets {

namespace {

const char* const kTabStopFollowsCheck = "qvTabStopFollowsCheck";

void collectInVisualOrder(const QWidget& parent, QList<QWidget*>& chain)
{
    QList<QWidget*> children = parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    children.removeIf([](const QWidget* child) { return child->isWindow(); });
    std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    for (QWidget* child : children) {
        // Controls that only a click focuses keep their place too: a radio button becomes a Tab stop when
        // checked.
        if (child->focusPolicy() != Qt::NoFocus && !child->focusProxy())
            chain.append(child);
        collectInVisualOrder(*child, chain);
    }
}

// The radio buttons that exclude each other together with `button`.
QList<QAbstractButton*> exclusiveSet(QRadioButton& button)
{
    if (QButtonGroup* group = button.group())
        return group->exclusive() ? group->buttons() : QList<QAbstractButton*>{};
    if (!button.autoExclusive() || !button.parentWidget())
        return {};
    QList<QAbstractButton*> set;
    for (auto* sibling : button.parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        if (sibling->autoExclusive() && !sibling->group())
            set.append(sibling);
    return set;
}

// Makes the checked button of the set the only Tab stop; with none checked, every button stays one.
void updateTabStops(const QList<QAbstractButton*>& set)
{
    const bool anyChecked = std::any_of(set.begin(), set.end(), [](auto* b) { return b->isChecked(); });
    for (QAbstractButton* button : set)
        if (button->focusPolicy() != Qt::NoFocus)
            button->setFocusPolicy(!anyChecked || button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void letTabStopFollowTheCheck(QRadioButton& button)
{
    if (button.property(kTabStopFollowsCheck).toBool())
        return;
    button.setProperty(kTabStopFollowsCheck, true);
    QObject::connect(&button, &QAbstractButton::toggled, &button,
                     [radio = &button] { updateTabStops(exclusiveSet(*radio)); });
    updateTabStops(exclusiveSet(button));
}

} // namespace

void orderTabsVisually(QWidget& window)
{
    for (auto* radio : window.findChildren<QRadioButton*>())
        if (exclusiveSet(*radio).size() > 1)
            letTabStopFollowTheCheck(*radio);
    QList<QWidget*> chain;
    collectInVisualOrder(window, chain);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace qv::widgets

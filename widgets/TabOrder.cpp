#include "widgets/TabOrder.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <vector>

namespace qv::widgets {

namespace {

const char* const kTabStopFollowsCheck = "qvTabStopFollowsCheck";

void collectInVisualOrder(const QWidget& parent, QList<QWidget*>& chain)
{
    // Top to bottom, then left to right; children at the same place keep the order they were made in.
    struct Placed {
        int y;
        int x;
        qsizetype made;
        QWidget* widget;
    };
    const QList<QWidget*> found = parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::vector<Placed> children;
    children.reserve(std::size_t(found.size()));
    for (QWidget* child : found) {
        if (!child->isWindow())
            children.push_back({child->y(), child->x(), qsizetype(children.size()), child});
    }
    std::sort(children.begin(), children.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.y, a.x, a.made) < std::tie(b.y, b.x, b.made);
    });
    for (const Placed& placed : children) {
        QWidget* const child = placed.widget;
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

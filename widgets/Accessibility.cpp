#include "widgets/Accessibility.h"

#include "widgets/LedAccessible.h"
#include "widgets/MenuItemAccessible.h"
#include "widgets/TransBtnAccessible.h"

#include <QAccessible>
#include <QWidget>

#include <utility>

namespace qv::widgets {

namespace {

QAccessibleInterface* createInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("TTransparentButton"))
        return new TransBtnAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("TLED"))
        return new LedAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("QAction"))
        return MenuItemAccessible::create(object);
    return nullptr;
}

AccessibleEventSink& eventSink()
{
    static AccessibleEventSink sink;
    return sink;
}

void notifyStateChange(QObject* control, void (*mark)(QAccessible::State&))
{
    QAccessible::State changed;
    mark(changed);
    QAccessibleStateChangeEvent event(control, changed);
    if (eventSink())
        eventSink()(event);
    else
        QAccessible::updateAccessibility(&event);
}

} // namespace

AccessibleEventSink setAccessibleEventSink(AccessibleEventSink sink)
{
    return std::exchange(eventSink(), std::move(sink));
}

void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    (void)installed;
}

QString accessibleHint(const QWidget& widget)
{
    for (const QString& hint : {widget.accessibleDescription(), widget.toolTip(), widget.statusTip()})
        if (!hint.isEmpty())
            return hint;
    return {};
}

void notifyCheckedChanged(QObject* control)
{
    notifyStateChange(control, [](QAccessible::State& state) { state.checked = true; });
}

void setAccessibleSelected(QWidget& control, bool selected)
{
    const QVariant previous = control.property(kSelectedProperty);
    control.setProperty(kSelectedProperty, selected);
    if (previous != QVariant(selected))
        notifyStateChange(&control, [](QAccessible::State& state) { state.selected = true; });
}

} // namespace qv::widgets

#pragma once

#include "platform/ScopedHook.h"

#include <functional>

class QAccessibleEvent;
class QObject;
class QString;
class QWidget;

// How the program's own controls present themselves to assistive tools (screen readers, automation):
// one factory gives the transparent buttons, the LEDs and the menu items interfaces of their own.
namespace qv::widgets {

// Installs the factory; idempotent. The program installs it at start, the tests before they run.
void installAccessibleFactory();

// A control's hint as assistive tools read it: its accessible description, else its tooltip, else the
// status tip that the main window's hint line shows.
QString accessibleHint(const QWidget& widget);

// Tells assistive tools that `control`'s checked state changed.
void notifyCheckedChanged(QObject* control);

// Marks `control` as one of a set of which one stands for what is shown (the main window's tab buttons),
// selected or not, and tells assistive tools. Nothing is drawn differently.
void setAccessibleSelected(QWidget& control, bool selected);
inline constexpr const char* kSelectedProperty = "qvAccessibleSelected";

// Where the controls report their changes: Qt's accessibility, which passes them on while an assistive
// tool listens. Tests install a recorder (empty: Qt's again) and get back the sink it replaced.
using AccessibleEventSink = std::function<void(QAccessibleEvent&)>;
AccessibleEventSink setAccessibleEventSink(AccessibleEventSink sink);
using ScopedAccessibleEventSink = platform::ScopedHook<AccessibleEventSink, &setAccessibleEventSink>;

} // namespace qv::widgets

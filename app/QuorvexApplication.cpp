#include "app/QuorvexApplication.h"

#include "platform/ExceptionGuard.h"

QuorvexApplication::QuorvexApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool QuorvexApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    qv::platform::guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

#pragma once

#include <QApplication>

// The application object. Handlers run inside the exception guard; this is only the last net for an
// exception that escaped one, so that it is shown instead of ending the program.
class QuorvexApplication : public QApplication {
    Q_OBJECT

public:
    QuorvexApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace qv::test {

// Messages that reached the default exception handler since the last call to takeReportedErrors().
QStringList takeReportedErrors();

// Saves the widget's rendering as <build>/test-output/<name>.png so a person can look at it.
// Returns the file's path.
QString saveScreenshot(QWidget& widget, const QString& name);

// A fresh, empty directory under the system temporary folder, removed when the test binary ends.
QString scratchDirectory();

} // namespace qv::test

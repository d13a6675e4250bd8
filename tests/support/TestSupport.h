#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

class QWidget;

namespace qv::test {

// Messages that reached the default exception handler since the last call to takeReportedErrors().
QStringList takeReportedErrors();

// Saves the widget's rendering as <build folder>/test-output/<name>.png so a person can look at it.
// Returns the file's path.
QString saveScreenshot(QWidget& widget, const QString& name);

// A fresh, empty directory under the system temporary folder, removed when the test binary ends.
QString scratchDirectory();

// Writes a short silent wave file (PCM, 16-bit mono).
void writeSilentWaveFile(const QString& path);

} // namespace qv::test

// Lets GoogleTest print QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

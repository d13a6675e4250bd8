#pragma once

#include "platform/ScopedHook.h"

#include <functional>

class QPrinter;
class QWidget;

namespace qv::benchui {

// Asks the user for a printer; true when the user confirms. Tests replace it to print to a PDF file.
using PrintDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;
// An empty runner restores the system print dialog. Returns the runner it replaces.
PrintDialogRunner setPrintDialogRunner(PrintDialogRunner runner);
using ScopedPrintDialogRunner = qv::platform::ScopedHook<PrintDialogRunner, &setPrintDialogRunner>;

// Runs the print dialog (or the runner a test installed); true when the user confirms.
bool askForPrinter(QPrinter& printer, QWidget* parent);

// Runs the print dialog and, when confirmed, prints the whole window on one page, scaled to fit and
// centred, its widgets drawn at the printer's resolution (at most 300 dpi). A cancelled dialog prints
// nothing; a printer that cannot be opened throws std::runtime_error.
void printWindow(QWidget& window);

} // namespace qv::benchui

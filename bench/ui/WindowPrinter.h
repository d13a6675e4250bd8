#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace qv::benchui {

// Asks the user for a printer; true when the user confirms. Tests replace it to print to a PDF file.
using PrintDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;
// An empty runner restores the system print dialog.
void setPrintDialogRunner(PrintDialogRunner runner);

// Runs the print dialog and, when confirmed, prints an image of the whole window on one page, scaled
// to fit and centred. A cancelled dialog prints nothing; a printer that cannot be opened throws
// std::runtime_error.
void printWindowImage(QWidget& window);

} // namespace qv::benchui

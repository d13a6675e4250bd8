#pragma once

#include "bench/ui/WindowPrinter.h"

#include <QByteArray>
#include <QFile>
#include <QPrinter>
#include <QString>

namespace qv::test {

// Sends the next prints to the PDF file at path instead of asking the user for a printer.
inline void printToPdfFile(const QString& path)
{
    qv::benchui::setPrintDialogRunner([path](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
}

// What a printed PDF file holds: its page objects and whether any page carries an image.
struct PdfSummary {
    bool readable = false;
    qsizetype pages = 0;
    bool hasImage = false;
};

inline PdfSummary summarisePdf(const QString& path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = pdf.readAll();
    // "/Type /Pages" (the page tree) must not count, so the key is matched with what follows it.
    const qsizetype pages =
        content.count("/Type /Page\n") + content.count("/Type /Page\r") + content.count("/Type /Page ");
    return {true, pages, content.contains("/Image")};
}

} // namespace qv::test

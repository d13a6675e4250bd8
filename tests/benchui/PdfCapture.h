#pragma once

#include "bench/ui/WindowPrinter.h"

#include <QByteArray>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace qv::test {

// Sends the prints to the PDF file at path instead of asking the user for a printer, while the returned
// object lives.
[[nodiscard]] inline qv::benchui::ScopedPrintDialogRunner printToPdfFile(const QString& path)
{
    return qv::benchui::ScopedPrintDialogRunner([path](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    });
}

// What a printed PDF file holds: its page objects, whether any page carries an image, whether any
// image is compressed with loss (JPEG) and the width in pixels of the widest image.
struct PdfSummary {
    bool readable = false;
    qsizetype pages = 0;
    bool hasImage = false;
    bool hasLossyImage = false;
    int widestImage = 0;
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
    int widest = 0;
    static const QRegularExpression width(QStringLiteral("/Width (\\d+)"));
    for (const QRegularExpressionMatch& match : width.globalMatch(QString::fromLatin1(content)))
        widest = std::max(widest, match.captured(1).toInt());
    return {true, pages, content.contains("/Image"), content.contains("/DCTDecode"), widest};
}

// The window was printed on one page, drawn at the page's resolution (at least twice its size on
// screen) and without lossy compression.
inline void expectPrintedSharplyOnOnePage(const QString& path, const QWidget& window)
{
    const PdfSummary pdf = summarisePdf(path);
    ASSERT_TRUE(pdf.readable);
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_TRUE(pdf.hasImage);
    EXPECT_FALSE(pdf.hasLossyImage);
    EXPECT_GE(pdf.widestImage, 2 * window.width()) << "drawn at the page's resolution, not enlarged";
}

} // namespace qv::test

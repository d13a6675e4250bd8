#include "bench/ui/WindowPrinter.h"

#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace qv::benchui {

namespace {

bool runSystemPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

PrintDialogRunner& printDialogRunner()
{
    static PrintDialogRunner runner = runSystemPrintDialog;
    return runner;
}

} // namespace

PrintDialogRunner setPrintDialogRunner(PrintDialogRunner runner)
{
    return std::exchange(printDialogRunner(),
                         runner ? std::move(runner) : PrintDialogRunner(runSystemPrintDialog));
}

bool askForPrinter(QPrinter& printer, QWidget* parent)
{
    return printDialogRunner()(printer, parent);
}

void printWindow(QWidget& window)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!printDialogRunner()(printer, &window))
        return;
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("The printer could not be opened");
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    QSizeF size = window.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRectF target(QPointF(page.width() - size.width(), page.height() - size.height()) / 2, size);

    // The widgets paint themselves at the page's resolution (up to kMaxDpi), so text and bars are as
    // sharp as the paper allows, rather than a screen image being enlarged. (Qt paints widgets onto a
    // printer as one bitmap in any case; this bounds its size.)
    constexpr double kMaxDpi = 300;
    const double dpi = std::min<double>(printer.resolution(), kMaxDpi);
    const double pixelRatio = size.width() / window.width() * dpi / printer.resolution();
    QImage image((QSizeF(window.size()) * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    window.render(&image);

    painter.setRenderHints(QPainter::SmoothPixmapTransform | QPainter::LosslessImageRendering);
    painter.drawImage(target, image);
    painter.end();
}

} // namespace qv::benchui

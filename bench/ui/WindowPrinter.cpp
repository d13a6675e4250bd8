#include "bench/ui/WindowPrinter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <stdexcept>

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

void setPrintDialogRunner(PrintDialogRunner runner)
{
    printDialogRunner() = runner ? std::move(runner) : PrintDialogRunner(runSystemPrintDialog);
}

void printWindowImage(QWidget& window)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!printDialogRunner()(printer, &window))
        return;
    const QPixmap image = window.grab();
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error("The printer could not be opened");
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    QSizeF size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRectF target(QPointF(page.width() - size.width(), page.height() - size.height()) / 2, size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, image, image.rect());
    painter.end();
}

} // namespace qv::benchui

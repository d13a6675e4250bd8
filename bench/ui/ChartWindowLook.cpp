#include "bench/ui/ChartWindowLook.h"

#include "forms/Look.h"
#include "widgets/TransBtn.h"

#include <QGroupBox>
#include <QLabel>

namespace qv::benchui {

namespace {

const QColor kNavy{0, 0, 128};

const QString kCompareGroupStyle = QStringLiteral(
    "QGroupBox { color: rgb(41,41,82); border: 1px solid rgb(170,170,195); border-radius: 5px;"
    " margin-top: 8px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }"
    "QPushButton { color: rgb(41,41,82); font: bold 12px 'Arial'; border: 1px solid rgb(130,130,165);"
    " border-radius: 4px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 white,"
    " stop:1 rgb(206,206,222)); }"
    "QPushButton:hover { border-color: rgb(242,155,34); }"
    "QPushButton:pressed { background: rgb(190,190,210); }");

} // namespace

void styleChartCaption(QLabel& caption)
{
    QFont font = qv::look::arialFont(13, true);
    font.setUnderline(true);
    caption.setFont(font);
    caption.setStyleSheet(QStringLiteral("color: rgb(41,41,82);"));
}

void styleChartLegend(QLabel& legend)
{
    legend.setFont(qv::look::arialFont(11, true));
    legend.setStyleSheet(QStringLiteral("color: rgb(90,90,120);"));
}

void stylePageButton(TTransparentButton& button)
{
    button.setFont(qv::look::arialFont(13, true));
    QPalette palette = button.palette();
    palette.setColor(QPalette::WindowText, kNavy);
    palette.setColor(QPalette::ButtonText, kNavy);
    button.setPalette(palette);
}

void styleCompareGroup(QGroupBox& group)
{
    group.setFont(qv::look::arialFont(12, true));
    group.setStyleSheet(kCompareGroupStyle);
}

} // namespace qv::benchui

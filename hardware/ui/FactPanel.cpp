#include "hardware/ui/FactPanel.h"

#include "forms/Look.h"
#include "widgets/ElideLabel.h"

#include <QGridLayout>
#include <QLabel>
#include <QStringList>

namespace qv::hardwareui {

QWidget* factGrid(const std::vector<hardware::FactLine>& lines, QWidget* parent)
{
    auto* grid = new QWidget(parent);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(6);
    layout->setColumnStretch(1, 1);
    for (int row = 0; row < int(lines.size()); ++row) {
        const QString label = QString::fromStdString(lines[std::size_t(row)].label);
        auto* value = new TElideLabel(QString::fromStdString(lines[std::size_t(row)].value), grid);
        look::setBold(*value, true);
        value->setAccessibleName(label);
        value->setObjectName(QString(label).remove(QLatin1Char(' ')));
        layout->addWidget(new QLabel(label + QStringLiteral(" :"), grid), row, 0);
        layout->addWidget(value, row, 1);
    }
    return grid;
}

QLabel* notesLabel(const std::vector<std::string>& notes, QWidget* parent)
{
    QStringList lines;
    for (const std::string& note : notes)
        lines << QString::fromStdString(note) + QLatin1Char('.');
    auto* label = new QLabel(lines.join(QLatin1Char('\n')), parent);
    label->setObjectName(QStringLiteral("Notes"));
    label->setWordWrap(true);
    label->setMargin(6);
    label->setFrameShape(QFrame::StyledPanel);
    look::fillBackground(*label, QColor(226, 226, 236));
    label->setVisible(!notes.empty());
    return label;
}

} // namespace qv::hardwareui

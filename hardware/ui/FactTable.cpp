#include "hardware/ui/FactTable.h"

#include <QHeaderView>
#include <QTableWidget>

namespace qv::hardwareui {

QTableWidget* factTable(const std::vector<std::string>& columns,
                        const std::vector<std::vector<std::string>>& rows, const QString& accessibleName,
                        QWidget* parent)
{
    auto* table = new QTableWidget(int(rows.size()), int(columns.size()), parent);
    table->setAccessibleName(accessibleName);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setCornerButtonEnabled(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(22);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < int(columns.size()); ++column)
        table->setHorizontalHeaderItem(
            column, new QTableWidgetItem(QString::fromStdString(columns[std::size_t(column)])));
    for (int row = 0; row < int(rows.size()); ++row) {
        const std::vector<std::string>& cells = rows[std::size_t(row)];
        for (int column = 0; column < int(cells.size()) && column < int(columns.size()); ++column)
            table->setItem(row, column,
                           new QTableWidgetItem(QString::fromStdString(cells[std::size_t(column)])));
    }
    table->resizeColumnsToContents();
    return table;
}

} // namespace qv::hardwareui

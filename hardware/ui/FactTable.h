#pragma once

#include <QString>

#include <string>
#include <vector>

class QTableWidget;
class QWidget;

namespace qv::hardwareui {

// A read-only table of facts: one row per item under the column titles, whole rows selected.
QTableWidget* factTable(const std::vector<std::string>& columns,
                        const std::vector<std::vector<std::string>>& rows, const QString& accessibleName,
                        QWidget* parent = nullptr);

// One row of texts per item, as `row` words it.
template<typename Item, typename Row>
std::vector<std::vector<std::string>> rowsOf(const std::vector<Item>& items, Row row)
{
    std::vector<std::vector<std::string>> rows;
    rows.reserve(items.size());
    for (const Item& item : items)
        rows.push_back(row(item));
    return rows;
}

} // namespace qv::hardwareui

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

} // namespace qv::hardwareui

#include "hardware/ui/InfoApplicationsDlg.h"

#include "hardware/PeripheralTexts.h"
#include "hardware/ui/FactPanel.h"
#include "hardware/ui/FactTable.h"
#include "widgets/ExtPage.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

using qv::hardwareui::notesLabel;

namespace {

constexpr int kSizeColumn = 3;
// Rows sort by this role: the size column by its bytes, the others by their text.
constexpr int kSortRole = Qt::UserRole + 1;

// The user's own entries belong to the live machine: a replayed tree answers no such fact.
qv::hardware::ApplicationsFacts collectForThisUser()
{
    const qv::hardware::MachineTree& tree = qv::hardware::installedMachineTree();
    return qv::hardware::collectApplications(
        tree, tree.fact("user applications folder", [] { return qv::hardware::userApplicationsFolder(); }));
}

} // namespace

TInfoApplicationsDlg::TInfoApplicationsDlg(QWidget* parent)
    : HardwareDialog(parent, tr("Installed applications"), QStringLiteral(":/pictures/title_programs.png"),
                     kHelpContext, {680, 464})
    , m_facts(collectForThisUser())
{
    setObjectName(QStringLiteral("InfoApplicationsDlg"));
    attachPages({desktopPage(), packagesPage()});
}

TTabSheet* TInfoApplicationsDlg::desktopPage()
{
    TTabSheet* page = newPage(tr("Desktop applications"));
    page->setObjectName(QStringLiteral("DesktopPage"));
    const auto rows = qv::hardwareui::rowsOf(m_facts.desktopApplications, qv::hardware::desktopRow);
    QTableWidget* table =
        qv::hardwareui::factTable(qv::hardware::desktopColumns(), rows, tr("Desktop applications"), page);
    table->setObjectName(QStringLiteral("DesktopTable"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->addWidget(table, 1);
    if (rows.empty())
        layout->addWidget(notesLabel({"No desktop application is installed"}));
    return page;
}

TTabSheet* TInfoApplicationsDlg::packagesPage()
{
    TTabSheet* page = newPage(tr("Packages"));
    page->setObjectName(QStringLiteral("PackagesPage"));
    const std::vector<std::string>& columns = qv::hardware::packageColumns();
    m_model = new QStandardItemModel(int(m_facts.packages.size()), int(columns.size()), page);
    for (int column = 0; column < int(columns.size()); ++column)
        m_model->setHorizontalHeaderItem(
            column, new QStandardItem(QString::fromStdString(columns[std::size_t(column)])));
    for (int row = 0; row < int(m_facts.packages.size()); ++row) {
        const qv::hardware::InstalledPackage& package = m_facts.packages[std::size_t(row)];
        const std::vector<std::string> cells = qv::hardware::packageRow(package);
        for (int column = 0; column < int(cells.size()); ++column) {
            auto* item = new QStandardItem(QString::fromStdString(cells[std::size_t(column)]));
            item->setEditable(false);
            item->setData(column == kSizeColumn ? QVariant(qulonglong(package.installedSize.value_or(0)))
                                                : QVariant(item->text().toLower()),
                          kSortRole);
            m_model->setItem(row, column, item);
        }
    }
    m_proxy = new QSortFilterProxyModel(page);
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortRole(kSortRole);
    m_proxy->setFilterKeyColumn(-1);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);

    m_filter = new QLineEdit(page);
    m_filter->setObjectName(QStringLiteral("Filter"));
    m_filter->setPlaceholderText(tr("Filter: part of a name, version or summary"));
    m_filter->setAccessibleName(tr("Filter"));
    connect(m_filter, &QLineEdit::textChanged, this, &TInfoApplicationsDlg::filterChanged);

    m_packages = new QTableView(page);
    m_packages->setObjectName(QStringLiteral("PackageTable"));
    m_packages->setAccessibleName(tr("Installed packages"));
    m_packages->setModel(m_proxy);
    m_packages->setSortingEnabled(true);
    m_packages->sortByColumn(0, Qt::AscendingOrder);
    m_packages->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_packages->verticalHeader()->hide();
    m_packages->verticalHeader()->setDefaultSectionSize(22);
    m_packages->horizontalHeader()->setStretchLastSection(true);
    m_packages->resizeColumnsToContents();

    m_count = new QLabel(page);
    m_count->setObjectName(QStringLiteral("Count"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->addWidget(m_filter);
    layout->addWidget(m_packages, 1);
    layout->addWidget(m_count);
    layout->addWidget(notesLabel(m_facts.notes));
    filterChanged(QString());
    return page;
}

void TInfoApplicationsDlg::filterChanged(const QString& text)
{
    m_proxy->setFilterFixedString(text);
    const QString total = QString::fromStdString(qv::hardware::packagesTotalText(m_facts.packages));
    m_count->setText(text.isEmpty() ? total : tr("%1 shown of %2").arg(m_proxy->rowCount()).arg(total));
}

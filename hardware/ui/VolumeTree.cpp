#include "hardware/ui/VolumeTree.h"

#include "hardware/FactTexts.h"
#include "hardware/ui/UsageBar.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace qv::hardwareui {

namespace {

void addVolume(QTreeWidget& tree, QTreeWidgetItem* parent, const hardware::BlockVolume& volume)
{
    const std::vector<std::string> cells = hardware::volumeRow(volume);
    QStringList texts;
    for (const std::string& cell : cells)
        texts << QString::fromStdString(cell);
    const int usageColumn = int(cells.size()) - 1;
    auto* item = parent ? new QTreeWidgetItem(parent, texts) : new QTreeWidgetItem(&tree, texts);
    const auto usage =
        volume.usage ? hardware::usageOf(volume.usage->total, volume.usage->available) : std::nullopt;
    if (usage) {
        // The bar says what the cell would; the cell keeps the text for screen readers and copying.
        auto* bar = new UsageBar;
        bar->setUsage(usage->percent, QStringLiteral("%1 %").arg(usage->percent));
        bar->setToolTip(texts.value(usageColumn));
        bar->setFixedHeight(16);
        tree.setItemWidget(item, usageColumn, bar);
        item->setForeground(usageColumn, Qt::transparent);
    }
    for (const hardware::BlockVolume& child : volume.children)
        addVolume(tree, item, child);
}

} // namespace

QTreeWidget* volumeTree(QWidget* parent)
{
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QStringLiteral("Volumes"));
    QStringList titles;
    for (const std::string& title : hardware::volumeColumns())
        titles << QString::fromStdString(title);
    tree->setHeaderLabels(titles);
    tree->setAccessibleName(QObject::tr("Volumes"));
    tree->setRootIsDecorated(true);
    tree->setUniformRowHeights(true);
    tree->header()->setStretchLastSection(true);
    return tree;
}

void showVolumes(QTreeWidget& tree, const std::vector<hardware::BlockVolume>& volumes)
{
    tree.clear();
    for (const hardware::BlockVolume& volume : volumes)
        addVolume(tree, nullptr, volume);
    tree.expandAll();
    for (int column = 0; column + 1 < tree.columnCount(); ++column)
        tree.resizeColumnToContents(column);
}

} // namespace qv::hardwareui

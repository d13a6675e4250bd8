#include "hardware/ui/InfoMemoireDlg.h"

#include "hardware/FactTexts.h"
#include "hardware/ui/FactPanel.h"
#include "hardware/ui/UsageBar.h"
#include "widgets/ExtPage.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using qv::hardwareui::factGrid;
using qv::hardwareui::notesLabel;
using qv::hardwareui::UsageBar;

namespace {

// A bar in a titled box, showing how much of `total` is taken.
QGroupBox* usageBox(const QString& title, std::optional<std::uint64_t> total,
                    std::optional<std::uint64_t> available, UsageBar** bar)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    *bar = new UsageBar(box);
    const auto usage = qv::hardware::usageOf(total, available);
    (*bar)->setUsage(
        usage ? usage->percent : 0,
        QString::fromStdString(usage ? qv::hardware::usageText(*usage) : qv::hardware::kUnknownText));
    layout->addWidget(*bar);
    return box;
}

} // namespace

TInfoMemoireDlg::TInfoMemoireDlg(QWidget* parent)
    : HardwareDialog(parent, tr("Memory information"), QStringLiteral(":/pictures/title_memory.png"),
                     kHelpContext)
    , m_facts(qv::hardware::collectMemory())
{
    setObjectName(QStringLiteral("InfoMemoireDlg"));
    attachPages({summaryPage(), slotsPage()});
}

TTabSheet* TInfoMemoireDlg::summaryPage()
{
    TTabSheet* page = newPage(tr("Summary"));
    page->setObjectName(QStringLiteral("SummaryPage"));
    auto* layout = page->layout();
    layout->addWidget(factGrid(qv::hardware::memorySummaryLines(m_facts)));
    layout->addWidget(
        usageBox(tr("Memory in use"), m_facts.totals.total, m_facts.totals.available, &m_memoryBar));
    UsageBar* swapBar = nullptr;
    layout->addWidget(
        usageBox(tr("Swap in use"), m_facts.totals.swapTotal, m_facts.totals.swapFree, &swapBar));
    swapBar->setObjectName(QStringLiteral("SwapBar"));
    m_memoryBar->setObjectName(QStringLiteral("MemoryBar"));
    layout->addWidget(notesLabel(m_facts.notes));
    static_cast<QVBoxLayout*>(layout)->addStretch(1);
    return page;
}

TTabSheet* TInfoMemoireDlg::slotsPage()
{
    TTabSheet* page = newPage(tr("Memory slots"));
    page->setObjectName(QStringLiteral("SlotsPage"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    const bool anySlot = m_facts.memorySlots && !m_facts.memorySlots->empty();
    if (!anySlot) {
        // The page says why it has nothing to show rather than showing an empty table.
        QLabel* notes =
            notesLabel(m_facts.notes.empty() ? std::vector<std::string>{qv::hardware::memory_notes::kNoSlots}
                                             : m_facts.notes);
        notes->setObjectName(QStringLiteral("SlotNotes"));
        layout->addWidget(notes);
        layout->addStretch(1);
        return page;
    }

    const std::vector<std::string>& columns = qv::hardware::memorySlotColumns();
    m_slotTable = new QTableWidget(int(m_facts.memorySlots->size()), int(columns.size()), page);
    m_slotTable->setObjectName(QStringLiteral("SlotTable"));
    m_slotTable->setAccessibleName(tr("Memory slots"));
    m_slotTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_slotTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_slotTable->setCornerButtonEnabled(false);
    m_slotTable->verticalHeader()->hide();
    m_slotTable->verticalHeader()->setDefaultSectionSize(22);
    m_slotTable->horizontalHeader()->setStretchLastSection(true);
    for (int column = 0; column < int(columns.size()); ++column)
        m_slotTable->setHorizontalHeaderItem(
            column, new QTableWidgetItem(QString::fromStdString(columns[std::size_t(column)])));
    const QColor emptySlot(112, 112, 136);
    for (int row = 0; row < m_slotTable->rowCount(); ++row) {
        const qv::hardware::MemorySlot& slot = (*m_facts.memorySlots)[std::size_t(row)];
        const std::vector<std::string> cells = qv::hardware::memorySlotRow(slot);
        for (int column = 0; column < int(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[std::size_t(column)]));
            if (!slot.installed)
                item->setForeground(emptySlot);
            m_slotTable->setItem(row, column, item);
        }
    }
    m_slotTable->resizeColumnsToContents();
    layout->addWidget(m_slotTable);
    layout->addWidget(notesLabel(m_facts.notes));
    return page;
}

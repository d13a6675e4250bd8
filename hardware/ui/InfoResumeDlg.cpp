#include "hardware/ui/InfoResumeDlg.h"

#include "hardware/ui/FactPanel.h"
#include "widgets/ExtPage.h"

#include <QVBoxLayout>

TInfoResumeDlg::TInfoResumeDlg(QWidget* parent)
    : HardwareDialog(parent, tr("System summary"), QStringLiteral(":/pictures/title_summary.png"),
                     kHelpContext, {640, 424})
    , m_summary(qv::hardware::collectSummary())
{
    setObjectName(QStringLiteral("InfoResumeDlg"));
    std::vector<TTabSheet*> sheets;
    for (const qv::hardware::SummaryPage& summaryPage : qv::hardware::summaryPages(m_summary)) {
        TTabSheet* page = newPage(QString::fromStdString(summaryPage.title));
        page->setObjectName(QString::fromStdString(summaryPage.title).remove(QLatin1Char(' ')) +
                            QStringLiteral("Page"));
        auto* layout = static_cast<QVBoxLayout*>(page->layout());
        layout->addWidget(qv::hardwareui::factGrid(summaryPage.lines));
        layout->addStretch(1);
        sheets.push_back(page);
    }
    attachPages({sheets[0], sheets[1], sheets[2], sheets[3], sheets[4], sheets[5], sheets[6]});
}

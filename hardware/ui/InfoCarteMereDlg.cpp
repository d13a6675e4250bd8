#include "hardware/ui/InfoCarteMereDlg.h"

#include "hardware/FactTexts.h"
#include "hardware/ui/FactPanel.h"
#include "widgets/ExtPage.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

using qv::hardwareui::factGrid;
using qv::hardwareui::notesLabel;

TInfoCarteMereDlg::TInfoCarteMereDlg(QWidget* parent)
    : HardwareDialog(parent, tr("Motherboard information"),
                     QStringLiteral(":/pictures/title_motherboard.png"), kHelpContext)
    , m_facts(qv::hardware::collectBoard())
{
    setObjectName(QStringLiteral("InfoCarteMereDlg"));
    TTabSheet* system = factPage("SystemPage", tr("System"), qv::hardware::systemLines(m_facts));
    TTabSheet* bios = factPage("BiosPage", tr("BIOS"), qv::hardware::biosLines(m_facts), featuresBox());
    TTabSheet* board = factPage("BoardPage", tr("Board"), qv::hardware::boardLines(m_facts));
    attachPages({system, bios, board});
}

// What the BIOS says it supports, in a list; nothing when the firmware does not say.
QWidget* TInfoCarteMereDlg::featuresBox()
{
    if (!m_facts.biosCharacteristics || m_facts.biosCharacteristics->empty())
        return nullptr;
    auto* box = new QGroupBox(tr("Features"));
    auto* boxLayout = new QVBoxLayout(box);
    m_features = new QListWidget(box);
    m_features->setObjectName(QStringLiteral("Features"));
    m_features->setAccessibleName(tr("BIOS features"));
    for (const std::string& feature : *m_facts.biosCharacteristics)
        m_features->addItem(QString::fromStdString(feature));
    boxLayout->addWidget(m_features);
    return box;
}

// A page of labelled facts, then `extra` taking the room they leave, then the notes that say why some
// facts are missing.
TTabSheet* TInfoCarteMereDlg::factPage(const char* name, const QString& caption,
                                       const std::vector<qv::hardware::FactLine>& lines, QWidget* extra)
{
    TTabSheet* page = newPage(caption);
    page->setObjectName(QString::fromLatin1(name));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    layout->addWidget(factGrid(lines));
    if (extra)
        layout->addWidget(extra, 1);
    layout->addWidget(notesLabel(m_facts.notes));
    if (!extra)
        layout->addStretch(1);
    return page;
}

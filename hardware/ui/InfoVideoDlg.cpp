#include "hardware/ui/InfoVideoDlg.h"

#include "hardware/PeripheralTexts.h"
#include "hardware/display/DisplayProbe.h"
#include "hardware/ui/FactPanel.h"
#include "hardware/ui/FactTable.h"
#include "widgets/ExtPage.h"

#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using qv::hardwareui::factGrid;
using qv::hardwareui::factTable;
using qv::hardwareui::notesLabel;
using qv::hardwareui::rowsOf;

namespace {

qv::hardware::VideoFacts collectWithThisDisplay()
{
    const qv::hardware::ScopedDisplayFactsSource display(
        [] { return std::optional(qv::hardware::probeDisplay()); });
    return qv::hardware::collectVideo();
}

} // namespace

TInfoVideoDlg::TInfoVideoDlg(QWidget* parent)
    : HardwareDialog(parent, tr("Video information"), QStringLiteral(":/pictures/title_video.png"),
                     kHelpContext, {640, 424})
    , m_facts(collectWithThisDisplay())
{
    setObjectName(QStringLiteral("InfoVideoDlg"));
    using namespace qv::hardware;
    std::vector<std::string> adapterNotes;
    if (m_facts.adapters.empty())
        adapterNotes.emplace_back(video_notes::kNoAdapter);
    std::vector<std::string> monitorNotes;
    for (const std::string& note : m_facts.notes) {
        if (note == video_notes::kBadChecksum)
            monitorNotes.push_back(note);
    }
    if (m_facts.connectors.empty())
        monitorNotes.emplace_back("The kernel lists no display connector");
    std::vector<std::string> screenNotes;
    if (!m_facts.screens)
        screenNotes.emplace_back(video_notes::kNoDisplay);
    TTabSheet* adapters = tablePage(
        "AdaptersPage", tr("Adapters"),
        factTable(adapterColumns(), rowsOf(m_facts.adapters, adapterRow), tr("Adapters")), adapterNotes);
    TTabSheet* monitors =
        tablePage("MonitorsPage", tr("Monitors"),
                  factTable(connectorColumns(), rowsOf(m_facts.connectors, connectorRow), tr("Monitors")),
                  monitorNotes);
    TTabSheet* screens = tablePage(
        "ScreensPage", tr("Screens"),
        factTable(screenColumns(), rowsOf(m_facts.screens.value_or(std::vector<ScreenFacts>()), screenRow),
                  tr("Screens")),
        screenNotes);
    attachPages({adapters, monitors, screens, openGlPage()});
}

TTabSheet* TInfoVideoDlg::tablePage(const char* name, const QString& caption, QTableWidget* table,
                                    const std::vector<std::string>& notes)
{
    TTabSheet* page = newPage(caption);
    page->setObjectName(QString::fromLatin1(name));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    table->setObjectName(QString::fromLatin1(name).replace(QStringLiteral("Page"), QStringLiteral("Table")));
    table->setParent(page);
    layout->addWidget(table, 1);
    layout->addWidget(notesLabel(notes));
    return page;
}

TTabSheet* TInfoVideoDlg::openGlPage()
{
    TTabSheet* page = newPage(tr("OpenGL"));
    page->setObjectName(QStringLiteral("OpenGlPage"));
    auto* layout = static_cast<QVBoxLayout*>(page->layout());
    if (m_facts.openGl)
        layout->addWidget(factGrid(qv::hardware::openGlLines(*m_facts.openGl)));
    else
        layout->addWidget(notesLabel({m_facts.screens ? qv::hardware::video_notes::kNoOpenGl
                                                      : qv::hardware::video_notes::kNoDisplay}));
    layout->addStretch(1);
    return page;
}

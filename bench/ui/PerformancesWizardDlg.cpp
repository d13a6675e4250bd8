#include "bench/ui/PerformancesWizardDlg.h"

#include "bench/overall/Findings.h"
#include "bench/ui/OverallBenchJob.h"
#include "bench/ui/OverallProgress.h"
#include "bench/ui/UiText.h"
#include "forms/Look.h"
#include "platform/ExceptionGuard.h"
#include "platform/HelpEngine.h"
#include "results/report/SessionLog.h"
#include "widgets/TransBtn.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace overall = qv::bench::overall;
using qv::benchui::uiText;
using qv::platform::guardedSlot;
using qv::results::Benchmark;

namespace {

QLabel* paragraph(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    return label;
}

// A page of the wizard under its heading.
QVBoxLayout* pageUnder(QWidget* page, const QString& heading)
{
    auto* layout = new QVBoxLayout(page);
    auto* title = new QLabel(heading, page);
    title->setFont(qv::look::arialFont(16, true));
    layout->addWidget(title);
    layout->addSpacing(6);
    return layout;
}

} // namespace

TPerformancesWizardDlg::TPerformancesWizardDlg(QWidget* parent)
    : QvDialog(parent)
    , m_job(new qv::benchui::OverallBenchJob(this))
{
    setObjectName(QStringLiteral("PerformancesWizardDlg"));
    setWindowTitle(QStringLiteral("Performances wizard"));
    setFont(qv::look::arialFont(12));
    qv::look::fillBackground(*this, qv::look::kDialogBackground);
    qv::platform::HelpEngine::bindHelpKey(this, kHelpContext);

    auto* content = qv::look::underTitleBand(
        *this, QStringLiteral(":/pictures/title_performances_wizard.png"), new QVBoxLayout);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->addWidget(introductionPage());
    m_pages->addWidget(choicePage());
    m_pages->addWidget(runningPage());
    m_pages->addWidget(findingsPage());
    content->addWidget(m_pages, 1);
    auto* buttons = helpAndCloseButtons(guardedSlot(this, &TPerformancesWizardDlg::HelpClick));
    m_back = qv::look::commandButton(this, QStringLiteral("< &Back"), QStringLiteral("btn_back.png"));
    m_back->setObjectName(QStringLiteral("Back"));
    m_next = qv::look::commandButton(this, QStringLiteral("&Next >"), QStringLiteral("btn_next.png"));
    m_next->setObjectName(QStringLiteral("Next"));
    buttons->insertWidget(1, m_back);
    buttons->insertWidget(2, m_next);
    buttons->insertSpacing(3, 24);
    content->addLayout(buttons);
    connect(m_back, &TTransparentButton::clicked, this,
            guardedSlot(this, &TPerformancesWizardDlg::BackClick));
    connect(m_next, &TTransparentButton::clicked, this,
            guardedSlot(this, &TPerformancesWizardDlg::NextClick));
    connect(m_job, &qv::benchui::OverallBenchJob::finished, this,
            [this](const overall::OverallResult& result) {
                qv::platform::guarded([&] { showFindings(result); });
            });
    showPage(Introduction);
    resize(700, 560);
}

TPerformancesWizardDlg::~TPerformancesWizardDlg() = default;

QWidget* TPerformancesWizardDlg::introductionPage()
{
    auto* page = new QWidget(this);
    auto* layout = pageUnder(page, QStringLiteral("What holds this machine back?"));
    layout->addWidget(paragraph(
        QStringLiteral(
            "This wizard runs the benchmarks of this machine, reads how the processor was clocked, "
            "the memory modules, the drive and the graphics driver, and then explains in plain words "
            "what holds this machine back, each time with the figure behind it.\n\n"
            "A finding is given only where this machine tells the facts it needs: without them (no "
            "firmware tables, no frequency scaling) the wizard says nothing rather than guess.\n\n"
            "The run takes about two minutes. Close other programs first: their work lowers the "
            "figures."),
        page));
    return page;
}

QWidget* TPerformancesWizardDlg::choicePage()
{
    auto* page = new QWidget(this);
    auto* layout = pageUnder(page, QStringLiteral("What to run"));
    layout->addWidget(paragraph(QStringLiteral("The display tests open windows of their own."), page));
    for (const Benchmark benchmark : overall::overallBenchmarks()) {
        auto* box = new QCheckBox(uiText(overall::benchmarkTitle(benchmark)), page);
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, [this] { m_next->setEnabled(!chosen().empty()); });
        layout->addWidget(box);
        m_choices.emplace_back(benchmark, box);
    }
    layout->addStretch(1);
    return page;
}

QWidget* TPerformancesWizardDlg::runningPage()
{
    auto* page = new QWidget(this);
    auto* layout = pageUnder(page, QStringLiteral("Running the benchmarks"));
    m_progress = new qv::benchui::OverallProgress(*m_job, page);
    layout->addWidget(m_progress);
    layout->addStretch(1);
    return page;
}

QWidget* TPerformancesWizardDlg::findingsPage()
{
    auto* page = new QWidget(this);
    auto* layout = pageUnder(page, QStringLiteral("Findings"));
    m_indices = paragraph(QString(), page);
    m_indices->setObjectName(QStringLiteral("Indices"));
    m_findings = paragraph(QString(), page);
    m_findings->setObjectName(QStringLiteral("Findings"));
    m_findings->setAccessibleName(QStringLiteral("Findings"));
    m_findings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    qv::look::setBold(*m_findings, true);
    layout->addWidget(m_indices);
    layout->addSpacing(10);
    layout->addWidget(m_findings, 1);
    return page;
}

TPerformancesWizardDlg::Page TPerformancesWizardDlg::page() const
{
    return Page(m_pages->currentIndex());
}

std::vector<Benchmark> TPerformancesWizardDlg::chosen() const
{
    std::vector<Benchmark> benchmarks;
    for (const auto& [benchmark, box] : m_choices) {
        if (box->isChecked())
            benchmarks.push_back(benchmark);
    }
    return benchmarks;
}

void TPerformancesWizardDlg::showPage(Page page)
{
    m_pages->setCurrentIndex(page);
    m_back->setEnabled(page == Choice || page == Findings);
    m_next->setVisible(page != Findings);
    m_next->setEnabled(page != Choice || !chosen().empty());
    if (page == Running || page == Choice) {
        qv::look::showStartOrStop(*m_next, page == Running);
        if (page == Choice)
            m_next->setCaption(QStringLiteral("&Run"));
    } else {
        m_next->setCaption(QStringLiteral("&Next >"));
        m_next->setGlyph(qv::look::picture(QStringLiteral(":/pictures/btn_next.png")));
    }
}

void TPerformancesWizardDlg::BackClick()
{
    showPage(page() == Findings ? Choice : Introduction);
}

void TPerformancesWizardDlg::NextClick()
{
    if (page() == Introduction)
        return showPage(Choice);
    if (page() == Choice) {
        m_progress->setText(QStringLiteral("Starting..."));
        m_progress->restart(int(chosen().size()));
        showPage(Running);
        return m_job->start(chosen());
    }
    // Stop while running: back to the choice, nothing found.
    m_job->stop();
    showPage(Choice);
}

void TPerformancesWizardDlg::HelpClick()
{
    qv::platform::HelpEngine::instance().showHelp(this, kHelpContext);
}

void TPerformancesWizardDlg::showFindings(const overall::OverallResult& result)
{
    qv::cli::sessionLog().add(overall::overallSession(result, qv::cli::programSignature()));
    QStringList indices;
    const double combined = result.combinedIndex();
    if (combined > 0)
        indices
            << QStringLiteral("Overall index: %1 (100: as fast as every baseline).").arg(qRound(combined));
    for (const overall::BenchmarkLine& line : overall::benchmarkLines(result)) {
        indices << (line.skipped.empty()
                        ? QStringLiteral("%1: %2 against the baseline's 100.")
                              .arg(uiText(line.title))
                              .arg(qRound(line.relative))
                        : QStringLiteral("%1: not run: %2")
                              .arg(uiText(line.title), QString::fromStdString(line.skipped)));
    }
    m_indices->setText(indices.join(QLatin1Char('\n')));
    QStringList findings;
    for (const overall::Finding& finding : overall::evaluateFindings(overall::findingsInputHere(result)))
        findings << QStringLiteral("• ") + QString::fromStdString(finding.text) + QLatin1Char('.');
    m_findings->setText(findings.isEmpty()
                            ? QStringLiteral("Nothing this wizard can check holds this machine back.")
                            : QStringLiteral("What limits this machine:\n") +
                                  findings.join(QLatin1Char('\n')));
    showPage(Findings);
}

void TPerformancesWizardDlg::closeEvent(QCloseEvent* event)
{
    m_job->stop();
    QvDialog::closeEvent(event);
}

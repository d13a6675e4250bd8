#include "bench/ui/OverallProgress.h"

#include "bench/ui/OverallBenchJob.h"
#include "forms/Look.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace qv::benchui {

OverallProgress::OverallProgress(OverallBenchJob& job, QWidget* parent)
    : QWidget(parent)
    , m_line(look::progressLabel(this))
    , m_bar(new QProgressBar(this))
{
    m_line->setWordWrap(true);
    m_bar->setObjectName(QStringLiteral("ProgressBar"));
    m_bar->setAccessibleName(QStringLiteral("Benchmarks done"));
    m_bar->setFormat(QStringLiteral("%v of %m"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_line);
    layout->addWidget(m_bar);
    restart(int(bench::overall::overallBenchmarks().size()));
    connect(&job, &OverallBenchJob::benchmarkStarted, this,
            [this](const QString& title, int position, int count) {
                m_stage = QStringLiteral("Running: %1 (%2 of %3)").arg(title).arg(position + 1).arg(count);
                m_line->setText(m_stage);
                m_bar->setRange(0, count);
                m_bar->setValue(position);
            });
    connect(&job, &OverallBenchJob::progressed, this,
            [this](const QString& step) { m_line->setText(m_stage + QStringLiteral(": ") + step); });
}

void OverallProgress::setText(const QString& text)
{
    m_line->setText(text);
}

void OverallProgress::restart(int count)
{
    m_bar->setRange(0, count);
    m_bar->setValue(0);
}

void OverallProgress::showFinished()
{
    m_bar->setValue(m_bar->maximum());
}

} // namespace qv::benchui

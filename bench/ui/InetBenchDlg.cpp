#include "bench/ui/InetBenchDlg.h"

#include "forms/Look.h"

#include "bench/net/NetReferences.h"
#include "bench/ui/NetBenchJob.h"
#include "results/SavedResult.h"
#include "results/report/NetRun.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace bi = qv::bench::inet;

TInetBenchDlg::TInetBenchDlg(QWidget* parent, const QString& preferenceFolder)
    : NetBenchWindow(parent, QStringLiteral("InetBenchDlg"), QStringLiteral("Internet connection benchmark"),
                     kHelpContext, qv::results::Benchmark::Inet)
    , m_preferenceFolder(preferenceFolder)
{
    auto* grid = qv::look::underTitleBand(*this, QStringLiteral(":/pictures/title_internet_benchmark.png"),
                                          new QGridLayout);
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("Address"));
    m_address->setAccessibleName(QStringLiteral("Address to download from"));
    m_address->setPlaceholderText(QStringLiteral("https://... a large file on a server you trust"));
    auto* addressLabel = new QLabel(QStringLiteral("&Address:"), this);
    addressLabel->setBuddy(m_address);
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(m_address, 0, 1, 1, 3);
    m_seconds = new QSpinBox(this);
    m_seconds->setObjectName(QStringLiteral("Seconds"));
    m_seconds->setRange(1, 60);
    m_seconds->setValue(10);
    m_seconds->setSuffix(QStringLiteral(" s"));
    m_seconds->setAccessibleName(QStringLiteral("Longest download time"));
    auto* secondsLabel = new QLabel(QStringLiteral("&Longest download:"), this);
    secondsLabel->setBuddy(m_seconds);
    grid->addWidget(secondsLabel, 1, 0);
    grid->addWidget(m_seconds, 1, 1);
    grid->addWidget(
        new QLabel(QStringLiteral("Only the address you type is contacted; nothing is saved to disk."), this),
        2, 0, 1, 5);
    buildRunControls(grid, 1, 3,
                     {QStringLiteral("Time to first byte"), QStringLiteral("Download"),
                      QStringLiteral("Received"), QStringLiteral("Redirects")},
                     {QStringLiteral("Download")}, QStringLiteral("This connection"));
    connect(&job(), &qv::benchui::NetBenchJob::inetFinished, this, &TInetBenchDlg::showResult);
    m_address->setText(bi::lastAddress(m_preferenceFolder));
    showChart();
    resize(700, 720);
}

TInetBenchDlg::~TInetBenchDlg() = default;

void TInetBenchDlg::setAddress(const QString& url)
{
    m_address->setText(url);
}

bi::InetSettings TInetBenchDlg::settings() const
{
    bi::InetSettings settings;
    settings.url = m_address->text().trimmed();
    settings.duration = std::chrono::seconds(m_seconds->value());
    return settings;
}

void TInetBenchDlg::startRun()
{
    const bi::InetSettings chosen = settings();
    bi::checkedAddress(chosen.url); // refused here, before anyone is contacted
    bi::rememberAddress(chosen.url, m_preferenceFolder);
    m_result.reset();
    job().start(chosen);
}

QList<QWidget*> TInetBenchDlg::settingControls() const
{
    return {m_address, m_seconds};
}

void TInetBenchDlg::showResult(const bi::InetResult& result)
{
    m_result = result;
    record(qv::cli::inetSession(settings(), result), !result.stopped && result.firstByteMs.has_value());
    QString note = QStringLiteral("From %1. Other links: typical figures of their class, not measured here.")
                       .arg(result.finalUrl);
    if (result.partial())
        note = (result.stopped ? QStringLiteral("Partial: stopped.") : result.error + QLatin1Char('.')) +
               QLatin1Char(' ') + note;
    showFigures({result.firstByteMs ? QStringLiteral("%1 ms").arg(*result.firstByteMs, 0, 'f', 1)
                                    : QStringLiteral("-"),
                 result.mbps ? QStringLiteral("%1 Mbit/s").arg(*result.mbps, 0, 'f', 1) : QStringLiteral("-"),
                 QStringLiteral("%1 MB").arg(double(result.bytes) / 1e6, 0, 'f', 1),
                 QString::number(result.redirects)},
                note);
}

std::vector<double> TInetBenchDlg::referenceValues() const
{
    std::vector<double> values;
    for (const qv::bench::net::LinkReference& link : qv::bench::net::linkReferences())
        values.push_back(link.downloadMbps);
    return values;
}

std::optional<double> TInetBenchDlg::measuredValue() const
{
    return m_result ? m_result->mbps : std::nullopt;
}

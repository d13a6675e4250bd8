#include "bench/ui/NetBenchDlg.h"

#include "forms/Look.h"

#include "bench/net/NetReferences.h"
#include "bench/ui/NetBenchJob.h"
#include "results/SavedResult.h"
#include "results/report/NetRun.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <stdexcept>

namespace bn = qv::bench::net;

namespace {

enum Figure { Download, Upload };

QString rate(const std::optional<double>& mbps)
{
    return mbps ? QStringLiteral("%1 Mbit/s").arg(*mbps, 0, 'f', 1) : QStringLiteral("-");
}

} // namespace

TNetBenchDlg::TNetBenchDlg(QWidget* parent)
    : NetBenchWindow(parent, QStringLiteral("NetBenchDlg"), QStringLiteral("Network connection benchmark"),
                     kHelpContext, qv::results::Benchmark::Net)
{
    auto* grid = qv::look::underTitleBand(*this, QStringLiteral(":/pictures/title_network_benchmark.png"),
                                          new QGridLayout);
    m_host = new QLineEdit(this);
    m_host->setObjectName(QStringLiteral("Host"));
    m_host->setAccessibleName(QStringLiteral("Host running quorvex-cli serve"));
    m_host->setPlaceholderText(QStringLiteral("the other machine's name or address"));
    auto* hostLabel = new QLabel(QStringLiteral("&Host:"), this);
    hostLabel->setBuddy(m_host);
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("Port"));
    m_port->setRange(1, 65535);
    m_port->setValue(bn::kDefaultPort);
    m_port->setAccessibleName(QStringLiteral("Port"));
    auto* portLabel = new QLabel(QStringLiteral("&Port:"), this);
    portLabel->setBuddy(m_port);
    grid->addWidget(hostLabel, 0, 0);
    grid->addWidget(m_host, 0, 1);
    grid->addWidget(portLabel, 0, 2);
    grid->addWidget(m_port, 0, 3);

    m_streams = new QComboBox(this);
    m_streams->setObjectName(QStringLiteral("Streams"));
    m_streams->setAccessibleName(QStringLiteral("Parallel streams"));
    m_streams->addItems({QStringLiteral("1"), QStringLiteral("4")});
    auto* streamsLabel = new QLabel(QStringLiteral("St&reams:"), this);
    streamsLabel->setBuddy(m_streams);
    m_seconds = new QSpinBox(this);
    m_seconds->setObjectName(QStringLiteral("Seconds"));
    m_seconds->setRange(1, int(bn::kMaxPhaseMs / 1000));
    m_seconds->setValue(10);
    m_seconds->setSuffix(QStringLiteral(" s"));
    m_seconds->setAccessibleName(QStringLiteral("Time per direction"));
    auto* secondsLabel = new QLabel(QStringLiteral("&Time per direction:"), this);
    secondsLabel->setBuddy(m_seconds);
    grid->addWidget(streamsLabel, 1, 0);
    grid->addWidget(m_streams, 1, 1);
    grid->addWidget(secondsLabel, 1, 2);
    grid->addWidget(m_seconds, 1, 3);
    grid->addWidget(
        new QLabel(QStringLiteral("Run quorvex-cli serve --bind ADDRESS on the other machine first."), this),
        2, 0, 1, 5);
    buildRunControls(grid, 1, 3,
                     {QStringLiteral("Download"), QStringLiteral("Upload"),
                      QStringLiteral("Round trip, median"), QStringLiteral("Round trip, 95th percentile")},
                     {QStringLiteral("Download"), QStringLiteral("Upload")}, QStringLiteral("This link"));
    connect(&job(), &qv::benchui::NetBenchJob::netFinished, this, &TNetBenchDlg::showResult);
    showChart();
    resize(700, 720);
}

TNetBenchDlg::~TNetBenchDlg() = default;

void TNetBenchDlg::setServer(const QString& host, int port)
{
    m_host->setText(host);
    m_port->setValue(port);
}

bn::NetSettings TNetBenchDlg::settings() const
{
    bn::NetSettings settings;
    settings.host = m_host->text().trimmed().toStdString();
    settings.port = m_port->value();
    settings.streams = m_streams->currentText().toInt();
    settings.duration = std::chrono::seconds(m_seconds->value());
    return settings;
}

void TNetBenchDlg::startRun()
{
    const bn::NetSettings chosen = settings();
    if (chosen.host.empty())
        throw std::runtime_error("Type the name or address of the machine that runs quorvex-cli serve.");
    m_result.reset();
    job().start(chosen);
}

QList<QWidget*> TNetBenchDlg::settingControls() const
{
    return {m_host, m_port, m_streams, m_seconds};
}

void TNetBenchDlg::showResult(const bn::NetResult& result)
{
    m_result = result;
    record(qv::cli::netSession(settings(), result),
           !result.stopped && (result.downloadMbps || result.uploadMbps || result.latency));
    const auto ms = [&](double bn::Latency::*figure) {
        return result.latency ? QStringLiteral("%1 ms").arg((*result.latency).*figure, 0, 'f', 2)
                              : QStringLiteral("-");
    };
    QString note = QStringLiteral("Measured with %1 (%2). Other links: typical figures of their class, not "
                                  "measured here.")
                       .arg(QString::fromStdString(settings().host), QString::fromStdString(result.address));
    if (result.partial())
        note = QStringLiteral("Partial: ") +
               (result.stopped ? QStringLiteral("stopped.") : QString::fromStdString(result.error) + '.') +
               QLatin1Char(' ') + note;
    showFigures({rate(result.downloadMbps), rate(result.uploadMbps), ms(&bn::Latency::medianMs),
                 ms(&bn::Latency::p95Ms)},
                note);
}

std::vector<double> TNetBenchDlg::referenceValues() const
{
    std::vector<double> values;
    for (const bn::LinkReference& link : bn::linkReferences())
        values.push_back(chartChoice() == Download ? link.downloadMbps : link.uploadMbps);
    return values;
}

std::optional<double> TNetBenchDlg::measuredValue() const
{
    if (!m_result)
        return std::nullopt;
    return chartChoice() == Download ? m_result->downloadMbps : m_result->uploadMbps;
}

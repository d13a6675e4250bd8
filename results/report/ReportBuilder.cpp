#include "results/report/ReportBuilder.h"

#include "net/WSocket.h"
#include "platform/IcmpEcho.h"
#include "platform/NameResolver.h"
#include "results/report/ProcessorReport.h"
#include "results/report/SystemReport.h"
#include "results/report/ThisMachine.h"

#include <QDateTime>

namespace qv::cli {

namespace {

std::vector<std::string> standardTexts(const QStringList& texts)
{
    std::vector<std::string> converted;
    for (const QString& text : texts)
        converted.push_back(text.toStdString());
    return converted;
}

// The network as it stands, found without sending anything: no lookup, echo or browse.
NetworkFacts networkFacts()
{
    const std::unique_ptr<platform::IcmpEcho> echo = platform::openIcmpEcho();
    return {net::LocalHostName().toStdString(), standardTexts(net::LocalIPList()),
            echo ? std::optional(platform::echoMechanismName(echo->mechanism()).toStdString()) : std::nullopt,
            standardTexts(platform::configuredNameServers())};
}

// The product identifier is the system's machine identifier, which must not leave the machine: the
// report carries its key in its place, as saved results do.
void hideMachineIdentifier(Report& report)
{
    const std::string id = machineIdentifier();
    if (id.empty())
        return;
    const QString identifier = QString::fromStdString(id);
    const QString key = QString::fromStdString(results::machineKeyOf(id));
    const auto hide = [&](Value& value) {
        if (QString* text = std::get_if<QString>(&value))
            text->replace(identifier, key);
    };
    for (Entry& entry : report) {
        hide(entry.value);
        for (Field& field : entry.members)
            hide(field.value);
    }
}

} // namespace

MachineReport buildMachineReport(std::string program, bool measureClock)
{
    MachineReport report;
    report.program = std::move(program);
    report.created = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    report.processor = processorReport(measureClock);
    report.system = systemReport();
    hideMachineIdentifier(report.system);
    report.network = networkFacts();
    report.hardware = collectMachineFacts();
    const auto keyOf = [](const std::string& serial) { return results::machineKeyOf(serial); };
    replaceSerialNumbers(report.hardware, keyOf);
    replacePersonalFacts(report.hardware, keyOf);
    return report;
}

void addBenchmark(MachineReport& report, results::SavedResult session)
{
    for (const std::string& warning : session.warnings)
        report.warnings.push_back(std::string(results::benchmarkName(session.benchmark)) + ": " + warning);
    report.benchmarks.push_back(std::move(session));
}

} // namespace qv::cli

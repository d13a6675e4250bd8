#include "results/report/ThisMachine.h"

#include "hardware/summary/SystemSummary.h"
#include "platform/FileAccess.h"
#include "platform/Identity.h"

#include <QByteArray>

#include <sys/utsname.h>

namespace qv::cli {

std::string machineIdentifier()
{
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        if (const auto head = platform::readFileHead(path, 256)) {
            const QByteArray id = QByteArray::fromStdString(*head).trimmed();
            if (!id.isEmpty())
                return id.toStdString();
        }
    }
    return {};
}

results::MachineIdentity thisMachine()
{
    const hardware::ProcessorSummary processor = hardware::summariseProcessor();
    const std::string id = machineIdentifier();
    utsname names{};
    return {id.empty() ? std::string() : results::machineKeyOf(id),
            platform::hostName().value_or(QString()).toStdString(),
            processor.vendor,
            processor.name,
            processor.signature,
            processor.count,
            uname(&names) == 0 ? std::string(names.release) : std::string()};
}

} // namespace qv::cli

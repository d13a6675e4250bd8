#include "results/report/ThisMachine.h"

#include "cpu/cxCPU2kVcl.h"
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
    cpu::TcxCPU2000 record;
    record.AutoBench().setEnabled(false);
    record.Loaded();
    // The brand string may carry zero characters and padding.
    std::string fullName = record.FullName().remove(QChar(0)).trimmed().toStdString();
    const std::string id = machineIdentifier();
    utsname names{};
    return {id.empty() ? std::string() : results::machineKeyOf(id),
            platform::hostName().value_or(QString()).toStdString(),
            record.Vendor().toStdString(),
            fullName,
            record.InternalResults().Signature(),
            record.Count(),
            uname(&names) == 0 ? std::string(names.release) : std::string()};
}

} // namespace qv::cli

#include "tools/cli/StandardCommands.h"

#include "tools/cli/BenchCommand.h"
#include "tools/cli/CpuCommand.h"
#include "tools/cli/InfoCommand.h"
#include "tools/cli/NetCommands.h"
#include "tools/cli/RecordCommand.h"
#include "tools/cli/ReportCommand.h"
#include "tools/cli/ServeCommand.h"
#include "tools/cli/StressCommand.h"
#include "tools/cli/SysCommand.h"
#include "tools/cli/TipsCommand.h"

namespace qv::cli {

CommandRegistry standardCommands()
{
    CommandRegistry registry;
    registry.add(tipsCommand());
    registry.add(benchCommand());
    registry.add(cpuCommand());
    registry.add(sysCommand());
    registry.add(pingCommand());
    registry.add(lookupCommand());
    registry.add(localIpCommand());
    registry.add(smbCommand());
    registry.add(reportCommand());
    registry.add(infoCommand());
    registry.add(recordMachineCommand());
    registry.add(stressCommand());
    registry.add(serveCommand());
    return registry;
}

} // namespace qv::cli

#include "tools/cli/StandardCommands.h"

#include "tools/cli/BenchCommand.h"
#include "tools/cli/TipsCommand.h"

namespace qv::cli {

CommandRegistry standardCommands()
{
    CommandRegistry registry;
    registry.add(tipsCommand());
    registry.add(benchCommand());
    return registry;
}

} // namespace qv::cli

#include "tools/cli/StandardCommands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return qv::cli::runCli(qv::cli::standardCommands(), args, std::cout, std::cerr);
}

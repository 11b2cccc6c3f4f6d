// SPDX-License-Identifier: MIT
// kelvara-gen: HTML gradient text from the command line.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli_main.h"
#include "fd_output.h"

int main(int argc, char** argv)
{
    kelvara::cli::ReserveStandardDescriptors();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    kelvara::cli::FdOutputBuffer stdoutBuffer(STDOUT_FILENO);
    std::ostream out(&stdoutBuffer);
    return kelvara::cli::RunCli(args, std::cin, out, std::cerr);
}

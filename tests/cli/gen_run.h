// SPDX-License-Identifier: MIT
// Helpers for the kelvara-gen tests: the program run in-process, temporary folders, files.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_main.h"
#include "temp_folder.h"

namespace kelvara::cli {

struct GenRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline GenRun Gen(const std::vector<std::string>& args, const std::string& input = {})
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    GenRun run;
    run.status = RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// Files of a test: its own temporary folder, read back whole.
using test::ReadFile;
using test::TempFolder;

}  // namespace kelvara::cli

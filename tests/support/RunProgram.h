#pragma once
// Runs a program as a child process with the given stdin text and extra environment, and
// collects its exit code, stdout and stderr. For tests that drive our command-line programs.

#include <string>
#include <utility>
#include <vector>

namespace zel::test {

struct ProgramResult {
    int exitCode = -1;  // -1 when the program did not exit normally (killed by a signal)
    std::string out;
    std::string err;
};

ProgramResult RunProgram(const std::vector<std::string>& argv, const std::string& stdinText = {},
                         const std::vector<std::pair<std::string, std::string>>& environment = {});

}  // namespace zel::test

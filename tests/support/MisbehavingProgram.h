#pragma once
// The misbehaving stand-in for an external program (tests/programs/zel_test_misbehaving_program):
// copied to a path the workstation starts, with its mode written beside it.

#include <string>

namespace zel::test {

// Copies the program to `path` (made executable) and tells it what to do: "hang", "abort",
// "exit N", "garbage" or "answer-abort". Returns path.
std::string InstallMisbehavingProgram(const std::string& path, const std::string& mode);

// Process id the program wrote when it started; 0 when it never did.
int MisbehavingProgramPid(const std::string& path);

}  // namespace zel::test

#pragma once
// zelbatch's entry: global options, the subcommand, exit codes (0 ok, 1 bad input or a failed
// operation with a one-line message on stderr, 2 wrong usage).

#include <iosfwd>
#include <string>
#include <vector>

namespace zel::batch {

int RunBatch(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace zel::batch

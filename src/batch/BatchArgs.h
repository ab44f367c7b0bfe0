#pragma once
// The arguments of one subcommand: "--name value" or "--name=value" options, declared flags
// without a value, and positional words. Every option must be consumed by the subcommand, so a
// misspelt option is a usage error rather than silently ignored.

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace zel::batch {

// Wrong use of the command line: exit code 2 with the message and a pointer to --help.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class BatchArgs {
  public:
    // flags: the option names (without "--") that take no value. A lone "-" is positional
    // (stdin or stdout); "--" ends the options.
    BatchArgs(const std::vector<std::string>& args, const std::set<std::string>& flags);

    bool flag(const std::string& name);
    bool has(const std::string& name) const { return options_.count(name) > 0; }
    std::string option(const std::string& name, const std::string& fallback = {});
    std::string required(const std::string& name);
    // Numbers are checked whole: "12x" is a usage error, not 12.
    double number(const std::string& name, double fallback);
    double requiredNumber(const std::string& name);
    long integer(const std::string& name, long fallback);

    std::size_t positionalCount() const { return positional_.size(); }
    const std::string& positional(std::size_t index) const;
    // Throws UsageError when options were given that the subcommand never asked for, or when
    // there are more positional words than it takes.
    void finish(std::size_t maxPositional) const;

  private:
    std::map<std::string, std::string> options_;
    std::set<std::string> flagsGiven_;
    std::vector<std::string> positional_;
    mutable std::set<std::string> used_;
};

// Parses a whole number or a decimal as a double; UsageError naming the option when it is not.
double ParseNumber(const std::string& text, const std::string& what);

}  // namespace zel::batch

#pragma once
// The program's own command-line switches, parsed before anything else starts, and the usage
// text a help switch prints.

#include <string>
#include <vector>

namespace zel {

// Values given on the command line; an empty text means "not given".
struct CommandLineOverrides {
    std::string odbc;
    std::string user;
    std::string password;
    std::string odbcCss;
    std::string userCss;
    std::string passwordCss;
    std::string dataDir;
    bool checkDb = false;
    bool help = false;
};

// The arguments without the program name. Switch names are matched in upper case, values keep
// their case; unknown arguments are ignored.
CommandLineOverrides ParseCommandLine(const std::vector<std::string>& args);
// argv as main() receives it; argv[0] is skipped.
CommandLineOverrides ParseCommandLine(int argc, const char* const* argv);

// The Russian or the English usage text with the version and the build date filled in.
std::string UsageText(bool russian, const std::string& version, const std::string& buildDate);
// What the help message box shows: the Russian text, a blank line and the English text.
std::string UsageMessage(const std::string& version, const std::string& buildDate);

// "%d.%d%d%d": 5.5.7.8 gives "5.578".
std::string FormatVersion(int major, int minor, int patch, int tweak);
// This build's version string and compile date ("Jun 14 2013").
std::string ProgramVersion();
std::string ProgramBuildDate();

}  // namespace zel

#pragma once
// Where the configuration and the embedded database live. Linux has no Windows directory, so the
// files follow the XDG base-directory rules; $ZEL_INI points a run at another configuration.

#include <functional>
#include <string>

namespace zel {

// Looks up an environment variable; nullptr when it is not set. Tests pass their own.
using Environment = std::function<const char*(const char* name)>;

// $ZEL_INI, else $XDG_CONFIG_HOME/zel/ZEL.ini, else ~/.config/zel/ZEL.ini.
std::string ZelIniPath();
std::string ZelIniPath(const Environment& env);

// The registry store, "registry.ini" in the directory of ZEL.ini.
std::string RegistryIniPath();
std::string RegistryIniPath(const Environment& env);

// $XDG_DATA_HOME/zel/zel.db, else ~/.local/share/zel/zel.db.
std::string EmbeddedDatabasePath();
std::string EmbeddedDatabasePath(const Environment& env);

// Directory of the running program, ending with '/'.
std::string ExecutableDirectory();

}  // namespace zel

#pragma once
// Connect strings of the two databases, and their safe display.

#include <optional>
#include <string>

namespace zel {

// "DSN=..;UID=..;PWD=..;" from a DSN name; a value holding '=' is already a full connect string
// and is used as it stands. Values with ';' or braces are brace-quoted.
std::string BuildConnectString(const std::string& dsnOrConnect, const std::string& user,
                               const std::string& password);

// A connect string as the program opens it:
// - a login given apart from a whole connect string (the command line, ZEL.ini) replaces the
//   string's own UID and PWD, or is added to it;
// - CommLog=0 unless the string says otherwise: psqlODBC's Debian default writes a log of every
//   statement, passwords included, into a world-readable file in /tmp for each connection;
// - for the SQLite driver, its lock timeout (Timeout) from lockWaitSeconds unless the string
//   gives one: its own default keeps a second writer waiting silently for minutes.
std::string OpeningConnectString(const std::string& dsnOrConnect, const std::string& user,
                                 const std::string& password, bool userGiven, bool passwordGiven,
                                 int lockWaitSeconds);

// The connect string with one attribute set (replaced when present, added otherwise).
std::string WithConnectAttribute(const std::string& connectString, const std::string& name,
                                 const std::string& value);

// True when the string names the SQLite driver.
bool IsSqliteConnectString(const std::string& connectString);

// The value of an attribute (name without regard to case), braces removed; nullopt when absent.
std::optional<std::string> ConnectAttribute(const std::string& connectString, const std::string& name);

// The connect string with every password replaced by "***", for messages.
std::string MaskPassword(const std::string& connectString);

}  // namespace zel

#pragma once
// Connect strings of the two databases, and their safe display.

#include <string>

namespace zel {

// "DSN=..;UID=..;PWD=..;" from a DSN name; a value holding '=' is already a full connect string
// and is used as it stands. Values with ';' or braces are brace-quoted.
std::string BuildConnectString(const std::string& dsnOrConnect, const std::string& user,
                               const std::string& password);

// The connect string with every password replaced by "***", for messages.
std::string MaskPassword(const std::string& connectString);

}  // namespace zel

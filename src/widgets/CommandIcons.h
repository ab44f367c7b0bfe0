#pragma once
// The pictures of the commands on menus, toolbars and the status bar: the SVG icon the command
// table names, compiled into the program; no icon for a command that has none.

#include <QIcon>

namespace zel {

QIcon CommandIcon(int commandId);

}  // namespace zel

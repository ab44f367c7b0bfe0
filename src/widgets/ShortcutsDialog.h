#pragma once
// The list of every key of the program, read from the command table: what the analyst looks up
// instead of hunting through the menus.

class QWidget;

namespace zel {

void ShowShortcuts(QWidget* parent);

}  // namespace zel

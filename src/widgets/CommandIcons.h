#pragma once
// Toolbar and status-bar pictures, drawn at run time so that no bitmap files need shipping.

#include <QIcon>

namespace zel {

QIcon CommandIcon(int commandId);

}  // namespace zel

#include "widgets/Workbench.h"

#include <QMenu>

namespace zel {

void Workbench::addToMenu(cmd::Menu which, const std::vector<QAction*>& actions) {
    QMenu* m = menu(which);
    if (!m) return;
    for (QAction* a : actions)
        if (!m->actions().contains(a)) m->addAction(a);
}

}  // namespace zel

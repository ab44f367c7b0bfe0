#include "events/ui/PhaseListSetup.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "events/PhaseCatalogue.h"
#include "events/StationNames.h"
#include "events/ZELPhases.h"
#include "events/ui/PhasesWnd.h"
#include "session/AppContext.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"
#include "widgets/ZelToolbar.h"

namespace zel {

CPhasesWnd* InstallPhaseList(Workbench& frame, AppContext& context) {
    context.session().catalogue().Load(context.settings().godographDir, context.settings().workingDir);
    auto* window = new CPhasesWnd(context.session(), context.messages());
    window->setStations(std::make_shared<StationModelNames>(context.stations()));
    window->setProfile(&context.ini());
    frame.setChildWidget(Workbench::kPhaseList, window);
    QMdiSubWindow* sub = frame.child(Workbench::kPhaseList);

    frame.bind(cmd::kInsertPhase, window, [window] { window->showInsertDialog(); });
    frame.bind(cmd::kDeletePhase, window, [window] { window->deleteSelected(); });
    frame.bind(cmd::kClearPhaseList, window, [window] { window->clearList(); });
    // Listed here; the location commands, which own the recomputation, enable and connect it.
    QAction* recompute = frame.action(cmd::kRecomputeResiduals);

    const std::vector<QAction*> commands = {frame.action(cmd::kInsertPhase), frame.action(cmd::kDeletePhase),
                                            frame.action(cmd::kClearPhaseList), recompute};
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QAction* a : commands) window->addAction(a);
    frame.addToMenu(cmd::Menu::PhaseList, commands);

    // The phase list shows its toolbar while it is the active window.
    QObject::connect(frame.mdiArea(), &QMdiArea::subWindowActivated, window,
                     [&frame, sub](QMdiSubWindow* active) {
                         if (!active) return;  // the frame lost focus: keep the toolbars as they are
                         if (CZELToolbar* toolbar = frame.toolbar("PHASELIST"))
                             toolbar->setVisible(active == sub);
                     });
    return window;
}

}  // namespace zel

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
    PhaseCatalogue& catalogue = ThePhaseCatalogue();
    catalogue.Load(context.settings().godographDir, context.settings().workingDir);
    ZELPhases& list = ThePhaseList();
    list.SetKeySource([&context] { return context.databases().nextArid(); });

    auto* window = new CPhasesWnd(list, catalogue, context.messages());
    window->setStations(std::make_shared<StationModelNames>(context.stations()));
    window->setProfile(&context.ini());
    frame.setChildWidget(Workbench::kPhaseList, window);
    QMdiSubWindow* sub = frame.child(Workbench::kPhaseList);
    // The list outlives the frame; its keys come from this run's databases only while it lasts.
    QObject::connect(window, &QObject::destroyed, [] { ThePhaseList().SetKeySource({}); });

    frame.phaseListEmpty = [&list] { return list.Empty(); };
    auto redraw = [&frame](Workbench::Child which) {
        if (QMdiSubWindow* child = frame.child(which); child && child->widget()) child->widget()->update();
    };
    // The panes rebuild their pick lines from the list; the phase list rebuilds its rows after
    // a pick made on the panes.
    auto redrawPicks = [&frame] {
        if (waveform* w = frame.waveforms()) w->redrawPicks();
    };
    window->onListChanged = [redraw, redrawPicks] {
        redrawPicks();
        redraw(Workbench::kMap);
    };
    window->onPickToggled = [redrawPicks](const SEISMIC_PHASE&) { redrawPicks(); };
    window->onPickRemoved = [redrawPicks](int, int) { redrawPicks(); };
    if (waveform* w = frame.waveforms()) w->onPicksChanged = [window] { window->rebuildRows(); };
    window->onMapChanged = [redraw] { redraw(Workbench::kMap); };

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

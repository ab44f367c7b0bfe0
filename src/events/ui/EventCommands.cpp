#include "events/ui/EventCommands.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/ZelError.h"
#include "app/ui/MainFrame.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/EventDialogs.h"
#include "events/ui/PhasesWnd.h"

namespace zel {

EventCommands::EventCommands(CMainFrame& frame, AppContext& context, CPhasesWnd* window)
    : QObject(&frame),
      frame_(frame),
      context_(context),
      window_(window),
      store_(std::make_unique<EventStore>(context.databases(), ThePhaseList(), TheCurrentEvent(),
                                          ThePhaseCatalogue(), context.stations())) {}

void EventCommands::listChanged() {
    if (!window_) return;
    window_->rebuildRows();
    if (window_->onListChanged) window_->onListChanged();
}

bool EventCommands::saveInto(const EventListRow& row) {
    store_->SelectForSave(row);
    try {
        store_->SavePhaseList();
    } catch (const ZelError& e) {
        context_.messages().show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
        listChanged();  // keys drawn for the picks are shown either way
        return false;
    }
    listChanged();
    return true;
}

bool EventCommands::save() {
    CSelectPhaseGroup dialog(*store_, TheCurrentEvent(), context_.messages(), &context_.ini(),
                             CSelectPhaseGroup::kSave, &frame_);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return false;
    return saveInto(*dialog.chosen());
}

void EventCommands::loadFrom(const std::string& eventId, bool replace) {
    try {
        store_->LoadPhaseList(eventId, replace);
    } catch (const ZelError& e) {
        context_.messages().show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
    }
    listChanged();
}

void EventCommands::load(bool replace) {
    CSelectPhaseGroup dialog(*store_, TheCurrentEvent(), context_.messages(), &context_.ini(),
                             CSelectPhaseGroup::kLoad, &frame_);
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return;
    loadFrom(dialog.chosen()->eventId, replace);
}

void EventCommands::newEvent() {
    CNewEventDlg dialog(*store_, context_.messages(), true, &frame_);
    if (dialog.exec() == QDialog::Accepted) listChanged();
}

EventCommands* InstallEventCommands(CMainFrame& frame, AppContext& context) {
    QMdiSubWindow* sub = frame.child(CMainFrame::kPhaseList);
    auto* window = sub ? qobject_cast<CPhasesWnd*>(sub->widget()) : nullptr;
    auto* commands = new EventCommands(frame, context, window);

    auto wire = [&](int id, auto handler) {
        QAction* a = frame.action(id);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, commands, handler);
        return a;
    };
    std::vector<QAction*> actions = {
        wire(cmd::kSavePhaseListDb, [commands] { commands->save(); }),
        wire(cmd::kLoadPhaseListDb, [commands] { commands->load(true); }),
    };
    // Not a frame command: it lives in the phase list's own menu.
    auto* add = new QAction("Добавить список  фаз из БД", commands);
    QObject::connect(add, &QAction::triggered, commands, [commands] { commands->load(false); });
    actions.push_back(add);
    actions.push_back(wire(cmd::kNewEvent, [commands] { commands->newEvent(); }));
    frame.savePhaseList = [commands] { return commands->save(); };

    if (window)
        for (QAction* a : actions) window->addAction(a);
    for (QAction* menuAction : frame.menuBar()->actions()) {
        QMenu* menu = menuAction->menu();
        if (!menu || menuAction->text() != "Список фаз") continue;
        menu->addSeparator();
        for (QAction* a : actions)
            if (!menu->actions().contains(a)) menu->addAction(a);
    }
    return commands;
}

}  // namespace zel

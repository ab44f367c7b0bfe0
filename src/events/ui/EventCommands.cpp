#include "events/ui/EventCommands.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "base/ZelError.h"
#include "db/ConnectString.h"
#include "events/CurrentEvent.h"
#include "events/Detections.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/EventDialogs.h"
#include "events/ui/GetArrivalsDlg.h"
#include "events/ui/LocationCommands.h"
#include "events/ui/PhasesWnd.h"
#include "events/ui/ShowOrigins.h"
#include "formats/CssDatabase.h"
#include "session/AppContext.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"

namespace zel {

EventCommands::EventCommands(Workbench& frame, AppContext& context, CPhasesWnd* window)
    : QObject(&frame.mainWindow()),
      frame_(frame),
      context_(context),
      window_(window),
      store_(std::make_unique<EventStore>(context.databases(), context_.session().phases(), context_.session().event(),
                                          context_.session().catalogue(), context.stations())) {
    origins_ = new CShowOrigins(*store_, context.messages(), &context.ini(), &frame.mainWindow());
    origins_->onLoad = [this](const std::string& id) { loadFrom(id, true); };
}

void EventCommands::listChanged() {
    if (origins_->isVisible()) origins_->refresh();
    context_.session().changed(SessionChange::Picks);
}

bool EventCommands::saveInto(const EventListRow& row) {
    store_->SelectForSave(row);
    CssEventSaver css(context_.databases(), context_.stations(), context_.session().catalogue());
    CssCopyOutcome copy;
    try {
        copy = SaveEvent(*store_, context_.settings().saveToCssDb ? &css : nullptr, context_.session().event(),
                         context_.session().phases());
    } catch (const ZelError& e) {
        context_.messages().show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
        listChanged();  // keys drawn for the picks are shown either way
        return false;
    }
    if (afterSave) afterSave(copy);
    listChanged();
    context_.session().markPicksSaved();
    return true;
}

bool EventCommands::save() {
    CSelectPhaseGroup dialog(*store_, context_.session().event(), context_.messages(), &context_.ini(),
                             CSelectPhaseGroup::kSave, &frame_.mainWindow());
    dialog.onDeleted = afterDelete;
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
    CSelectPhaseGroup dialog(*store_, context_.session().event(), context_.messages(), &context_.ini(),
                             CSelectPhaseGroup::kLoad, &frame_.mainWindow());
    dialog.onDeleted = afterDelete;
    if (dialog.exec() != QDialog::Accepted || !dialog.chosen()) return;
    loadFrom(dialog.chosen()->eventId, replace);
}

void EventCommands::newEvent() {
    CNewEventDlg dialog(*store_, context_.messages(), true, &frame_.mainWindow());
    const int result = dialog.exec();
    if (result == CNewEventDlg::kLoadReb && loadReb) loadReb();
    if (result == QDialog::Accepted) listChanged();
}

void EventCommands::loadSecondary() {
    MessageSink& messages = context_.messages();
    try {
        if (!context_.databases().cssAvailable())
            throw ZelError("Ошибка инициализации интерфейса к базе данных CSS");
        COriginChooser chooser(qtTrId("Выберите индекс землетрясения из вторичной БД"),
                               ListSecondaryOrigins(context_.databases().css()), &frame_.mainWindow());
        if (chooser.exec() != QDialog::Accepted || !chooser.chosenOrid()) return;
        store_->LoadFromSecondary(*chooser.chosenOrid(), "");
    } catch (const ZelError& e) {
        messages.show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
    }
    listChanged();
}

void EventCommands::loadAutomatic() {
    MessageSink& messages = context_.messages();
    CAutomaticSourceDlg source(&frame_.mainWindow());
    if (source.exec() != QDialog::Accepted) return;
    const std::string dsn = source.dsnEdit()->text().toStdString();
    const std::string user = source.userEdit()->text().toStdString();
    Db::Connection automatic;
    try {
        automatic.open(BuildConnectString(dsn, user, source.passwordEdit()->text().toStdString()));
    } catch (const Db::Error& e) {
        // The password is never shown.
        messages.show({qtTrId("Ошибка подключения к базе данных DSN=%1 (%2:***)\n%3")
                           .arg(QString::fromStdString(MaskPassword(dsn)), QString::fromStdString(user),
                                QString::fromUtf8(e.what()))
                           .toStdString(),
                       "ZEL", MessageIcon::Error, MessageButtons::Ok});
        return;
    }
    try {
        COriginChooser chooser(qtTrId("Загрузить данные автоматической локации"),
                               ListAutomaticOrigins(automatic), &frame_.mainWindow());
        if (chooser.exec() != QDialog::Accepted || !chooser.chosenOrid()) return;
        store_->LoadFromAutomatic(automatic, *chooser.chosenOrid());
    } catch (const ZelError& e) {
        messages.show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
    }
    listChanged();
}

void EventCommands::addDetections(bool fromAlert) {
    Databases& databases = context_.databases();
    if (fromAlert && !databases.cssAvailable()) {
        context_.messages().show({qtTrId("Ошибка инициализации интерфейса к базе данных CSS").toStdString(),
                                  "ZEL", MessageIcon::Error, MessageButtons::Ok});
        return;
    }
    const CurrentEvent& event = context_.session().event();
    const ArrivalPredictor predict = PredictorFor(event, context_.stations(), context_.session().catalogue());
    const double from = event.hypocentreValid && event.originTime > 0
                            ? event.originTime
                            : static_cast<double>(std::time(nullptr)) - 3600.0;
    CGetArrivalsDlg::Reader reader = [&databases, fromAlert, predict](double a, double b) {
        return fromAlert ? ReadAlertDetections(databases.css(), a, b, predict)
                         : ReadEventListDetections(databases.work(), a, b, predict);
    };
    CGetArrivalsDlg dialog(reader, context_.messages(), from, from + 3600.0, &frame_.mainWindow());
    if (dialog.exec() != QDialog::Accepted) return;
    AddCheckedDetections(dialog.checkedRows(), context_.stations(), context_.session().catalogue(), context_.session().phases());
    listChanged();
}

EventCommands* InstallEventCommands(Workbench& frame, AppContext& context) {
    QMdiSubWindow* sub = frame.child(Workbench::kPhaseList);
    auto* window = sub ? qobject_cast<CPhasesWnd*>(sub->widget()) : nullptr;
    auto* commands = new EventCommands(frame, context, window);

    std::vector<QAction*> actions = {
        frame.bind(cmd::kSavePhaseListDb, commands, [commands] { commands->save(); }),
        frame.bind(cmd::kLoadPhaseListDb, commands, [commands] { commands->load(true); }),
    };
    // Not a frame command: it lives in the phase list's own menu.
    auto* add = new QAction(qtTrId("Добавить список  фаз из БД"), commands);
    QObject::connect(add, &QAction::triggered, commands, [commands] { commands->load(false); });
    actions.push_back(add);
    actions.push_back(frame.bind(cmd::kNewEvent, commands, [commands] { commands->newEvent(); }));
    auto* secondary = new QAction(qtTrId("Загрузить список фаз из вторичной БД"), commands);
    QObject::connect(secondary, &QAction::triggered, commands, [commands] { commands->loadSecondary(); });
    actions.push_back(secondary);
    actions.push_back(frame.bind(cmd::kLoadAutomatic, commands, [commands] { commands->loadAutomatic(); }));
    auto* fromAlert = new QAction(qtTrId("*Добавить фазы из ARR_ALERT"), commands);
    QObject::connect(fromAlert, &QAction::triggered, commands, [commands] { commands->addDetections(true); });
    actions.push_back(fromAlert);
    auto* fromEventList = new QAction(qtTrId("*Добавить фазы из EventList"), commands);
    QObject::connect(fromEventList, &QAction::triggered, commands,
                     [commands] { commands->addDetections(false); });
    actions.push_back(fromEventList);
    frame.bind(cmd::kShowOrigins, commands, [commands] { commands->origins()->showWindow(); });
    if (context.settings().showOrigins) commands->origins()->show();
    frame.savePhaseList = [commands] { return commands->save(); };
    InstallLocationCommands(frame, context, commands->store(), window);

    if (window)
        for (QAction* a : actions) window->addAction(a);
    if (QMenu* menu = frame.menu(cmd::Menu::PhaseList)) menu->addSeparator();
    frame.addToMenu(cmd::Menu::PhaseList, actions);
    return commands;
}

}  // namespace zel

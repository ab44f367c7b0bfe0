#pragma once
// The event commands of the main frame: save the phase list as an event, load an event (replace
// or add), start a new event; and the save behind the exit question.

#include <QObject>
#include <functional>
#include <memory>

#include "events/EventStore.h"
#include "formats/EventSave.h"

namespace zel {

class AppContext;
class Workbench;
class CPhasesWnd;
class CShowOrigins;

class EventCommands : public QObject {
    Q_OBJECT
  public:
    EventCommands(Workbench& frame, AppContext& context, CPhasesWnd* window);

    EventStore& store() { return *store_; }

    // Chooses (or creates) the event in the selection dialog, then saves. True when saved.
    bool save();
    // Chooses an event and replaces the list with it, or adds its picks.
    void load(bool replace);
    void newEvent();
    // The imports: an origin of the CSS database, an automatic solution over its own connection.
    void loadSecondary();
    void loadAutomatic();
    // Detections of EVENTLIST (or of the CSS database's ALERT table) added as picks.
    void addDetections(bool fromAlert);
    // The processed-events window (created with the commands).
    CShowOrigins* origins() const { return origins_; }
    // After a successful choice: the saving or loading itself, with its messages. Used by tests.
    bool saveInto(const EventListRow& row);
    void loadFrom(const std::string& eventId, bool replace);
    // Runs after every successful save, before the windows are told, with what became of the
    // copy in the CSS database.
    std::function<void(const CssCopyOutcome&)> afterSave;
    // Runs when the new-event dialog hands over to the bulletin load ("Загрузить REB").
    std::function<void()> loadReb;
    // Runs after the selection dialog deleted an event that had an orid.
    std::function<void(std::int64_t orid)> afterDelete;

  private:
    void listChanged();

    Workbench& frame_;
    AppContext& context_;
    CPhasesWnd* window_;
    std::unique_ptr<EventStore> store_;
    CShowOrigins* origins_ = nullptr;
};

// Creates the commands on the frame (owned by it) and connects them; the phase list must be installed.
EventCommands* InstallEventCommands(Workbench& frame, AppContext& context);

}  // namespace zel

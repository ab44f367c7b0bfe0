#pragma once
// The frame's report and exchange-format commands: the event report, the CSS 3.0 text tables of
// the current event and of stored events, the copy of every saved event into the CSS database when
// the configuration asks for it, IMS/REB bulletins, QuakeML and the phase lists for other programs.

#include <QObject>
#include <cstdint>
#include <string>

#include "formats/EventSave.h"
#include "formats/ImsBulletin.h"

namespace zel {

class AppContext;
class Workbench;
class EventCommands;

class FormatCommands : public QObject {
    Q_OBJECT
  public:
    FormatCommands(Workbench& frame, AppContext& context);

    void showReport();
    // The dialogs' OK, and what follows it. Messages for every failure.
    void writeCssTables();
    void writeCssTablesTo(long long orid, const std::string& folder);
    void writeStoredCssTables();
    void writeStoredCssTablesTo(double from, double to, const std::string& folder);
    // After the event was saved to the working database: what became of its CSS database copy.
    void showCssCopy(const CssCopyOutcome& copy);
    // After an event was deleted: its origin in the CSS database, when one is connected.
    void deleteFromCss(std::int64_t orid);

    // Bulletins: a file dialog and the event dialog, then the loading itself. The loading returns
    // false, with a message, when the file does not open or the event lacks its origin or phases.
    void loadBulletin(ImsLayout layout);
    bool loadBulletinEvent(const std::string& path, ImsLayout layout, int index, bool phasesOnly);
    void writeBulletin();
    void writeBulletinTo(const std::string& path);

    // QuakeML 1.2: the current event written, or an event's picks read into the phase list as the
    // bulletin load reads them (stations matched by code, what is unknown reported).
    void writeQuakeMl();
    void writeQuakeMlTo(const std::string& path);
    void loadQuakeMl();
    bool loadQuakeMlEvent(const std::string& path, int index);

    // Phase lists for other programs and the all-phases list: a file dialog, then the file.
    enum class PhaseFile { Kpw2, Travo, Hypo71, AllPhases };
    void writePhaseFile(PhaseFile kind);
    void writePhaseFileTo(PhaseFile kind, const std::string& path);
    void readAllPhases(bool replace);
    void readAllPhasesFrom(const std::string& path, bool replace);

  private:
    void listChanged();
    void showError(const std::string& text);

    Workbench& frame_;
    AppContext& context_;
};

// Creates the commands (owned by the frame), wires them and hooks the CSS copy into the event
// save; the phase list and the event commands must be installed.
FormatCommands* InstallFormatCommands(Workbench& frame, AppContext& context, EventCommands* events);

}  // namespace zel

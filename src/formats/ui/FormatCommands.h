#pragma once
// The frame's report and CSS commands: the event report, the CSS 3.0 text tables of the current
// event and of stored events, and the copy of every saved event into the CSS database when the
// configuration asks for it.

#include <QObject>
#include <cstdint>

namespace zel {

class AppContext;
class CMainFrame;
class EventCommands;

class FormatCommands : public QObject {
    Q_OBJECT
  public:
    FormatCommands(CMainFrame& frame, AppContext& context);

    void showReport();
    // The dialogs' OK, and what follows it. Messages for every failure.
    void writeCssTables();
    void writeCssTablesTo(long long orid, const std::string& folder);
    void writeStoredCssTables();
    void writeStoredCssTablesTo(double from, double to, const std::string& folder);
    // After the event was saved to the working database: the CSS database copy, when configured.
    void saveToCss();
    // After an event was deleted: its origin in the CSS database, when one is connected.
    void deleteFromCss(std::int64_t orid);

  private:
    CMainFrame& frame_;
    AppContext& context_;
};

// Creates the commands (owned by the frame), wires them and hooks the CSS copy into the event
// save; the phase list and the event commands must be installed.
FormatCommands* InstallFormatCommands(CMainFrame& frame, AppContext& context, EventCommands* events);

}  // namespace zel

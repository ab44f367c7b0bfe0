#pragma once
// The analyst's events in the working database: ORIGIN (one row per event) and ARRIVAL (one row
// per pick). Creating, saving, listing, loading and deleting an event, between these tables and the
// phase list with the current event.
//
// Event ids are written padded with blanks to 20 characters and always compared with trailing
// blanks trimmed on both sides, so rows that other tools wrote unpadded still match. Every value
// is bound as a parameter.

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/UserText.h"
#include "data/StationModel.h"
#include "db/DbDialect.h"
#include "db/Odbc.h"
#include "events/CurrentEvent.h"
#include "events/SeismicPhase.h"

namespace zel {

class Databases;
class PhaseCatalogue;
class ZELPhases;

inline constexpr std::size_t kEventIdWidth = 20;
// Text columns take at most this many bytes.
inline constexpr std::size_t kEventTextWidth = 255;

inline constexpr const char* kDuplicateEventId = ZEL_TR_NOOP("Даннный идентификатор уже существует");
inline constexpr const char* kEmptyEventId = ZEL_TR_NOOP("Введите идентификатор события");
inline constexpr const char* kOriginSaveFailed =
    ZEL_TR_NOOP("Ошибка при обновлении orid в ORIGIN в основной базе ZEL");
// While another program holds the event's save lock, and when it holds it past the lock timeout.
std::string EventWaitText(std::string_view eventId);
std::string EventBeingSavedText(std::string_view eventId);

// Cut to 20 bytes (never inside a UTF-8 character) and padded with blanks to 20.
std::string PadEventId(std::string_view id);
// Without trailing blanks: the form ids are compared in.
std::string TrimEventId(std::string_view id);
// The default id of a new event: local time "%Y%m%d%H%M%S".
std::string NewEventIdFor(std::time_t when);
// The id a new event is proposed: the UTC time of its earliest pick as "%Y%m%d%H%M%S", which
// names the earthquake rather than the moment it was worked; the clock's id without picks.
std::string ProposedEventId(const ZELPhases& picks, std::time_t now);

// The newest-first ORIGIN query of the selection dialog: every event, or the newest maxEvents
// with the row limit of the dialect. Dialects without a known row limit get every event.
std::string EventListQuery(DbDialect dialect, const std::string& commentColumn, bool all, int maxEvents);

// A magnitude or its variance as ORIGIN stores it: NULL for "never computed" (exactly 999 or -999).
Db::Value OriginMagnitude(float magnitude, float value);

// One row of the selection dialog.
struct EventListRow {
    std::string eventId;
    std::string comment;
    std::optional<std::int64_t> orid;
    std::optional<double> lat;
    std::optional<double> lon;
    std::optional<double> depth;
    std::optional<double> originTime;
    std::string loadDate;
};

// CSS 3.0 values at or below these mean "missing".
inline constexpr double kCssNullValue = -999.0;
inline constexpr double kCssNullTime = -9999999999.999;

// The automatic solutions to choose from, newest first: orid, time, lat, lon, depth, mb.
struct AutomaticOrigin {
    std::int64_t orid = 0;
    std::optional<double> time, lat, lon, depth, mb;
};
std::vector<AutomaticOrigin> ListAutomaticOrigins(Db::Connection& automatic);
// The same for the origins of the CSS database.
std::vector<AutomaticOrigin> ListSecondaryOrigins(Db::Connection& css);

// The picks of an automatic solution. A standard LEFT JOIN on every server, and only the "mb"
// station magnitude of an arrival fills its mb.
inline constexpr const char* kAutomaticArrivalsQuery =
    "select ar.sta, ar.chan, ar.iphase, ar.time, ar.arid, ar.azimuth, ar.slow, ar.ema, ar.fm, ar.amp, "
    "ar.per, "
    "ar.qual, a.timeres, s.magnitude from arrival_alert ar join assoc_alert a on a.arid=ar.arid "
    "left join stamag_alert s on s.arid=ar.arid and s.orid=a.orid and lower(s.magtype)='mb' where a.orid=?";

class EventStore {
  public:
    EventStore(Databases& databases, ZELPhases& phases, CurrentEvent& event, const PhaseCatalogue& catalogue,
               const std::vector<Station>& stations);

    // True when ORIGIN has a row with this id. Throws Db::Error.
    bool EventExists(std::string_view eventId);

    // The ORIGIN row of a new event (id, comment, load date and a new orid) without touching the
    // current event: the "create" button of the selection dialog. Returns the orid. Throws as NewEvent.
    std::int64_t CreateEventRow(std::string_view eventId, std::string_view comment);

    // Creates the ORIGIN row of a new event and makes it current (phase list cleared, hypocentre
    // reset, magnitudes none). Throws ZelError kDuplicateEventId (nothing written) or kEmptyEventId,
    // Db::Error for a database failure.
    void NewEvent(std::string_view eventId, std::string_view comment);

    // The event chosen in the selection dialog before a save becomes current. Another event than
    // the current one brings its own orid and comment (-1 when it has no orid), so the save never
    // writes one event's orid under another's id.
    void SelectForSave(const EventListRow& row);

    // Throws ZelError when the current event cannot be saved as it stands: no id (kEmptyEventId),
    // or a savable pick of a station, channel or phase this installation does not know. Nothing is
    // drawn or written, so callers that write files before the save check here first.
    void CheckSavable() const;

    // The orid stored under this id, when its row has one. Throws Db::Error.
    std::optional<std::int64_t> StoredOrid(std::string_view eventId);

    // Gives the current event and its savable picks the keys the save writes: a re-save keeps the
    // orid stored under the id, a new event draws one, and a pick without an arid (or sharing one
    // with another pick) draws its own. Throws ZelError kNoNewOrid or kNoNewArid when a key cannot
    // be drawn; the keys drawn until then stay.
    void DrawKeys();

    // Writes the current event and its savable picks in one transaction: on any failure nothing
    // changes in the database and ZelError tells what failed (the origin message, or the driver's
    // text for the arrivals). Saves of one id, from this program or another on the same database,
    // take turns: one that has to wait tells the databases' wait notice (EventWaitText), and one
    // that waits past the lock timeout fails with EventBeingSavedText. Keys are
    // drawn (DrawKeys) before the transaction, so a pick or the event may keep the keys it was
    // given even when the save fails.
    void SavePhaseList();

    // Fills the phase list from ARRIVAL. replace: clears the list first, makes the event current
    // and reads its ORIGIN row; otherwise adds to the list (a pick already there is replaced) and
    // keeps the current event. Rows of unknown stations, channels or phases are skipped. Throws
    // Db::Error; the list and the current event are then as they were before the load.
    void LoadPhaseList(std::string_view eventId, bool replace);

    // Writes a located hypocentre into the event's ORIGIN row (LAT, LON, DEPTH, ORIGINTIME, the
    // comment, ORID and LDDATE). False when the event has no row. Throws Db::Error.
    bool StoreHypocentre(std::string_view eventId, const CurrentEvent& hypocentre);

    // Removes the event's ORIGIN and ARRIVAL rows together. Returns the orid of the removed origin
    // (nullopt when there was none or it had none), for the copy in the CSS database. Throws Db::Error.
    std::optional<std::int64_t> DeleteEvent(std::string_view eventId);

    // Newest first (see EventListQuery). Throws Db::Error.
    std::vector<EventListRow> ListEvents(bool all, int maxEvents);

    // Replaces the list with the arrivals of a CSS 3.0 origin (the CSS connection) and makes that
    // origin current with this comment. Throws ZelError without a CSS database, Db::Error (the
    // list and the event then stay as they were, here and in the automatic load).
    void LoadFromSecondary(std::int64_t orid, std::string_view comment);
    // Replaces the list with an automatic solution read over its own connection; the event gets
    // a new id from its earliest arrival and an empty comment. Throws Db::Error.
    void LoadFromAutomatic(Db::Connection& automatic, std::int64_t orid);

    // The clock of LDDATE; replaceable so that tests can order their events.
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    // The id a new event of the list on screen is proposed (see ProposedEventId).
    std::string proposedEventId() const { return ProposedEventId(phases_, clock()); }
    // Called after each arrival row is written inside the save transaction (tests break the
    // connection here).
    std::function<void(int written)> afterArrivalWritten;

  private:
    // The load itself, which may leave a partial list when it throws.
    void ReadPhaseList(std::string_view eventId, bool replace);
    // Runs a load; when it throws (the server gone half-way), the phase list and the current
    // event are given back as they were: a cleared list under another event's id or orid would
    // otherwise be saved over the stored picks of that event.
    void UndoneOnFailure(const std::function<void()>& load);
    // Reads imported arrivals (columns sta, chan, iphase, time, then by name) into the list.
    void AddImportedArrivals(Db::Statement& rows, bool keepArids);
    // Reads "lat, lon, depth, time, mb, ms" of an imported origin into the current event.
    void ReadImportedOrigin(Db::Statement& origin);
    std::string Now() const;
    std::string CommentColumn() const;
    // Inside a transaction: saves, creations and deletions of one id take turns.
    void LockEvent(const std::string& id);

    Databases& databases_;
    ZELPhases& phases_;
    CurrentEvent& event_;
    const PhaseCatalogue& catalogue_;
    const std::vector<Station>& stations_;
};

}  // namespace zel

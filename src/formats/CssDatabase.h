#pragma once
// Saving the current event into the CSS 3.0 database: origin, arrival, assoc, amplitude, stamag
// and remark rows. Every key is drawn (and committed by the key counter) first; then the event's
// old rows go and its new rows are written in one transaction, so the database never holds an
// origin without its arrivals. Keys drawn before a failure are simply left unused.

#include <cstdint>
#include <ctime>
#include <functional>
#include <vector>

#include "base/UserText.h"
#include "events/EventKeys.h"
#include "formats/CssEventRows.h"

namespace zel {

class Databases;
namespace Db {
class Connection;
}
class PhaseCatalogue;
class ZELPhases;
struct CurrentEvent;
struct Station;

inline constexpr const char* kCssNotConnected =
    ZEL_TR_NOOP("Ошибка инициализации интерфейса к базе данных CSS");
inline constexpr const char* kCssSaveFailed = ZEL_TR_NOOP("Произошла ошибка при записи в БД CSS 3.0");
inline constexpr const char* kCssSaveDone = ZEL_TR_NOOP("Список фаз успешно сохранен в БД CSS 3.0");

class CssEventSaver {
  public:
    CssEventSaver(Databases& databases, const std::vector<Station>& stations,
                  const PhaseCatalogue& catalogue);

    // Gives the event and its picks the keys the copy needs (orid, arid, commid). Drawn ahead of
    // the working save, a key that cannot be drawn stops the save before anything is stored.
    // Throws ZelError kNoNewOrid, kNoNewArid or kNoNewCommid; nothing without a CSS database.
    void DrawKeys(CurrentEvent& event, ZELPhases& phases);

    // Writes the event with its picks. The event and the picks keep the keys drawn for them (orid,
    // arid, commid), also when the save fails. Throws ZelError: no CSS database, a key that
    // cannot be drawn, an unknown station, channel or phase, or the driver's text of a database
    // failure (nothing of this save is then in the database).
    void Save(CurrentEvent& event, ZELPhases& phases);

    Databases& databases() { return databases_; }

    std::function<std::time_t()> clock = [] { return std::time(nullptr); };
    CssDistAz distAz = GeocentricCssGeometry;
    // Called inside the transaction after each pick's rows (tests break the connection here).
    std::function<void(int written)> afterPickWritten;

  private:
    Databases& databases_;
    const std::vector<Station>& stations_;
    const PhaseCatalogue& catalogue_;
};

// True when the CSS database holds an origin of this orid. Throws Db::Error.
bool CssOriginStored(Db::Connection& css, std::int64_t orid);

// Removes a deleted event's CSS origin with its associations and station magnitudes, and the
// arrivals (with their amplitudes, magnitudes and remarks) that no other origin still uses; all
// or nothing. Throws Db::Error.
void DeleteCssOrigin(Db::Connection& css, std::int64_t orid);

}  // namespace zel

#pragma once
// What ZEL puts into the CSS 3.0 relations for one event: the hypocentre and the picks, from the
// phase list or from the stored ARRIVAL rows of the working database, turned into CSS rows with
// the CSS codes (first motion "c."/"d.", onset quality "e"/"i"/"w", channel in lower case,
// amplitudes in nanometres).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "formats/CssTables.h"

namespace zel {

struct CurrentEvent;
struct Station;
class PhaseCatalogue;
class ZELPhases;

// The hypocentre and network magnitudes of an event.
struct CssHypocentre {
    bool valid = false;
    double lat = 0, lon = 0;
    double depth = -1;            // below 0: unknown
    double time = 0;              // 0 or below: unknown
    double mb = -999, ms = -999;  // -999 or below, or 999: none
};

// One pick as the CSS rows need it.
struct CssPick {
    std::string sta, chan, phase;
    double time = 0;
    double deltim = 0;  // 0 or below: unknown
    bool hasAzimuth = false;
    double azimuth = 0, ema = 0;
    bool hasAmplitude = false;
    double amplitude = 0;  // micrometres
    double period = 0, ampTime = 0;
    std::string firstMotion;  // the letter stored by ZEL: U D + - ? c d u r
    std::string onset;        // E I W -
    int weight = 4;
    bool included = false;
    std::optional<double> residual;
    std::int64_t arid = -1, commid = -1;
    std::string comment;
    // Station magnitudes; not greater than 0: not measured.
    double mb = -1, ms = -1, mcoda = -1, mpsp = -1, mplp = -1, ml = -1;
    std::optional<double> staLat, staLon;  // for the distance and azimuths of assoc
};

// Distance (degrees) and the azimuths at the station toward the event and at the event toward
// the station, for one station and one epicentre.
struct CssGeometry {
    double delta = -1, seaz = -1, esaz = -999;
};
using CssDistAz = std::function<CssGeometry(double staLat, double staLon, double evLat, double evLon)>;
// The geocentric distance and azimuths on the ellipsoid.
CssGeometry GeocentricCssGeometry(double staLat, double staLon, double evLat, double evLon);

// The database rows write the relations as the database keeps them: stamag only for the mb and
// Ms of picks with an amplitude, an origin without hypocentre at 90, 180, 900. The text tables
// write every measured station magnitude and the CSS nulls.
enum class CssTarget { Database, TextTables };

// Draws a key of LASTID ("ampid", "magid"); not positive when none could be drawn.
using CssKeySource = std::function<std::int64_t(const std::string& keyName)>;

// The CSS first-motion code of a ZEL letter: U or + "c.", D or - "d.", c "c.", d "d.", u ".u",
// r ".r", anything else "-". The onset letter as CSS quality: "e", "i", "w" or "-".
std::string CssFirstMotion(const std::string& letter);
std::string CssQuality(const std::string& onset);

// The rows of one event under 'orid'. Keys for amplitudes and station magnitudes are drawn from
// 'keys' in pick order; ZelError "Ошибка при получении нового AMPID" / "...MAGID" when one cannot be drawn.
CssEvent BuildCssEvent(const CssHypocentre& hypocentre, std::int64_t orid, const std::vector<CssPick>& picks,
                       CssTarget target, const CssKeySource& keys,
                       const CssDistAz& distAz = GeocentricCssGeometry);

// The current event's hypocentre and magnitudes.
CssHypocentre HypocentreOf(const CurrentEvent& event);
// The picks of the phase list, a station's phase once (OnePickPerStationPhase), with their
// stations' names, channels and coordinates. Throws
// ZelError for a pick of a station, channel or phase this installation does not know.
std::vector<CssPick> PicksOf(const ZELPhases& phases, const std::vector<Station>& stations,
                             const PhaseCatalogue& catalogue);

// A key source for files: counts up from 1 per key name.
CssKeySource CountingKeys();

}  // namespace zel

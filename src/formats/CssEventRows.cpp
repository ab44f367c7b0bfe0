#include "formats/CssEventRows.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>

#include "base/Strings.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/StationPhasePicks.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

constexpr const char* kAuthor = "ZEL";

std::int64_t JDateOf(double epoch) {
    const std::optional<CalendarTime> t = EpochToCalendar(epoch);
    return t ? JDate(t->year, t->month, t->day) : -1;
}

// Every "none" an event magnitude has had: 999, never computed (-999), none computed (-1000).
bool MagnitudeKnown(double magnitude) { return magnitude > -999.0 && magnitude != 999.0; }

double Around(double azimuth) {
    azimuth = std::fmod(azimuth, 360.0);
    return azimuth < 0 ? azimuth + 360.0 : azimuth;
}

std::int64_t Draw(const CssKeySource& keys, const char* name, const char* upper) {
    const std::int64_t key = keys(name);
    if (key <= 0) throw ZelError(Tr("Ошибка при получении нового %1").arg(upper));
    return key;
}

CssOrigin OriginOf(const CssHypocentre& h, std::int64_t orid, const std::vector<CssPick>& picks,
                   CssTarget target) {
    CssOrigin o;
    o.orid = orid;
    o.nass = static_cast<std::int64_t>(picks.size());
    o.ndef = std::count_if(picks.begin(), picks.end(), [](const CssPick& p) { return p.included; });
    o.ndp = 0;
    o.algorithm = kAuthor;
    o.auth = kAuthor;
    if (h.valid) {
        o.lat = h.lat;
        o.lon = h.lon;
        if (h.depth >= 0) o.depth = h.depth;
        if (h.time > 0) {
            o.time = h.time;
            o.jdate = JDateOf(h.time);
        }
        if (MagnitudeKnown(h.mb)) o.mb = h.mb;
        if (MagnitudeKnown(h.ms)) o.ms = h.ms;
    } else if (target == CssTarget::Database) {
        // Where the database has always kept an origin that was never located.
        o.lat = 90.0;
        o.lon = 180.0;
        o.depth = 900.0;
        o.time = 0.0;
    } else {
        o.mb = -1.0;
        o.ms = -1.0;
    }
    return o;
}

}  // namespace

CssGeometry GeocentricCssGeometry(double staLat, double staLon, double evLat, double evLon) {
    // Out-of-range coordinates give zeros rather than numbers from nowhere.
    const DistAzResult d = DistAz(staLat, staLon, evLat, evLon).value_or(DistAzResult{});
    return {d.distance, d.azimuth, d.backAzimuth};
}

std::string CssFirstMotion(const std::string& letter) {
    switch (letter.empty() ? ' ' : letter[0]) {
        case 'U':
        case '+':
        case 'c':
            return "c.";
        case 'D':
        case '-':
        case 'd':
            return "d.";
        case 'u':
            return ".u";
        case 'r':
            return ".r";
        default:
            return "-";
    }
}

std::string CssQuality(const std::string& onset) {
    switch (onset.empty() ? ' ' : onset[0]) {
        case 'E':
        case 'e':
            return "e";
        case 'I':
        case 'i':
            return "i";
        case 'W':
        case 'w':
            return "w";
        default:
            return "-";
    }
}

CssEvent BuildCssEvent(const CssHypocentre& hypocentre, std::int64_t orid, const std::vector<CssPick>& picks,
                       CssTarget target, const CssKeySource& keys, const CssDistAz& distAz) {
    CssEvent event;
    event.origin = OriginOf(hypocentre, orid, picks, target);
    for (const CssPick& p : picks) {
        CssArrival a;
        a.sta = p.sta;
        a.time = p.time;
        a.arid = p.arid;
        a.jdate = JDateOf(p.time);
        a.chan = LowerAscii(p.chan);
        a.iphase = p.phase;
        if (p.deltim > 0) a.deltim = p.deltim;
        if (p.hasAzimuth) {
            a.azimuth = Around(p.azimuth);
            a.ema = p.ema;
        }
        a.logat = kCssNull;
        if (p.hasAmplitude) {
            a.amp = p.amplitude * 1000.0;  // nanometres
            a.per = p.period;
            if (a.amp > 0 && a.per > 0) a.logat = std::log10(a.amp / a.per);
        }
        a.fm = CssFirstMotion(p.firstMotion);
        a.qual = CssQuality(p.onset);
        a.auth = kAuthor;
        // The remark of the pick hangs on its arrival.
        a.commid = p.comment.empty() ? -1 : p.commid;
        event.arrivals.push_back(a);

        std::int64_t ampid = -1;
        if (p.hasAmplitude) {
            CssAmplitude m;
            m.ampid = ampid = Draw(keys, "ampid", "AMPID");
            m.arid = p.arid;
            m.chan = a.chan;
            m.amp = a.amp;
            m.per = p.period;
            m.amptime = p.ampTime;
            m.amptype = "A5/2";
            m.units = "nm";
            m.inarrival = "n";
            m.auth = kAuthor;
            event.amplitudes.push_back(m);
        }

        const std::pair<double CssPick::*, const char*> magnitudes[] = {
            {&CssPick::mb, "Mb"},     {&CssPick::ms, "Ms"},     {&CssPick::mcoda, "Mcoda"},
            {&CssPick::mpsp, "MPSP"}, {&CssPick::mplp, "MPLP"}, {&CssPick::ml, "ML"}};
        for (const auto& [field, magtype] : magnitudes) {
            const double value = p.*field;
            if (!(value > 0)) continue;
            const bool bodyOrSurface = field == &CssPick::mb || field == &CssPick::ms;
            if (target == CssTarget::Database && (!bodyOrSurface || ampid < 0)) continue;
            CssStamag s;
            s.magid = Draw(keys, "magid", "MAGID");
            s.ampid = ampid;
            s.sta = p.sta;
            s.arid = p.arid;
            s.orid = orid;
            s.phase = p.phase;
            s.magtype = target == CssTarget::Database ? LowerAscii(magtype) : magtype;
            s.magnitude = value;
            s.auth = kAuthor;
            event.stamags.push_back(s);
        }

        CssAssoc s;
        s.arid = p.arid;
        s.orid = orid;
        s.sta = p.sta;
        s.phase = p.phase;
        if (hypocentre.valid && p.staLat && p.staLon) {
            const CssGeometry g = distAz(*p.staLat, *p.staLon, hypocentre.lat, hypocentre.lon);
            s.delta = g.delta;
            s.seaz = g.seaz < 0 ? g.seaz + 360.0 : g.seaz;
            s.esaz = g.esaz < 0 ? g.esaz + 360.0 : g.esaz;
        }
        if (p.residual) s.timeres = *p.residual;
        s.timedef = p.included ? "d" : "n";
        s.azdef = "n";
        s.slodef = "n";
        s.wgt = p.weight / 5.0;
        s.vmodel = "JB";
        event.assocs.push_back(s);

        if (!p.comment.empty() && p.commid > 0) event.remarks.push_back({p.commid, 1, p.comment});
    }
    return event;
}

CssHypocentre HypocentreOf(const CurrentEvent& event) {
    CssHypocentre h;
    h.valid = event.hypocentreValid;
    h.lat = event.lat;
    h.lon = event.lon;
    h.depth = event.depth;
    h.time = event.originTime;
    h.mb = event.mb;
    h.ms = event.ms;
    return h;
}

std::vector<CssPick> PicksOf(const ZELPhases& phases, const std::vector<Station>& stations,
                             const PhaseCatalogue& catalogue) {
    std::vector<CssPick> picks;
    // A station's phase copied onto several channels is one arrival of the bulletin.
    for (const SEISMIC_PHASE* pick : OnePickPerStationPhase(phases)) {
        const SEISMIC_PHASE& p = *pick;
        const int i = phases.IndexOf(pick);
        const bool known = p.stationIndex >= 0 && p.stationIndex < static_cast<int>(stations.size()) &&
                           p.channelIndex >= 0 && p.channelIndex < kSlotsPerStation &&
                           !catalogue.Name(p.phaseIndex).empty();
        if (!known) throw ZelError(Tr("Фаза %1 относится к неизвестной станции, каналу или фазе").arg(i + 1));
        const Station& station = stations[p.stationIndex];
        CssPick c;
        c.sta = station.code;
        c.chan = station.slots[p.channelIndex].channel;
        c.phase = catalogue.Name(p.phaseIndex);
        c.time = p.time;
        c.deltim = p.deltim;
        c.hasAzimuth = p.hasAzimuth != 0;
        c.azimuth = p.azimuth;
        c.ema = p.emergence;
        c.hasAmplitude = p.hasAmplitude != 0;
        c.amplitude = p.amplitude;
        c.period = p.period;
        c.ampTime = p.ampTime;
        c.firstMotion = FirstMotionLetter(p.firstMotion);
        c.onset = OnsetLetter(p.onset);
        c.weight = p.weight;
        c.included = p.included != 0;
        if (p.hasResidual) c.residual = p.residual;
        c.arid = p.arid;
        c.commid = p.commid;
        c.comment = p.comment;
        c.mb = p.mb;
        c.ms = p.ms;
        c.mcoda = p.mcoda;
        c.mpsp = p.mpsp;
        c.mplp = p.mplp;
        c.ml = p.ml;
        c.staLat = station.lat;
        c.staLon = station.lon;
        picks.push_back(std::move(c));
    }
    return picks;
}

CssKeySource CountingKeys() {
    auto counters = std::make_shared<std::map<std::string, std::int64_t>>();
    return [counters](const std::string& name) { return ++(*counters)[name]; };
}

}  // namespace zel

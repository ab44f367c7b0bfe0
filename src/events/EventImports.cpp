// Picks brought in from outside the working database: the CSS 3.0 database and the tables of an
// automatic location system. Both fill the phase list the same way.

#include <cmath>

#include "base/Strings.h"
#include "base/ZelError.h"
#include "db/Databases.h"
#include "events/EventStore.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

std::optional<double> Known(std::optional<double> value) {
    if (value && *value <= kCssNullValue) return std::nullopt;
    return value;
}

}  // namespace

namespace {

std::vector<AutomaticOrigin> ListOrigins(Db::Connection& connection, const char* table) {
    Db::Statement st(connection);
    st.execute(std::string("select orid, time, lat, lon, depth, mb from ") + table + " order by time desc");
    std::vector<AutomaticOrigin> origins;
    while (st.fetch()) {
        const std::optional<std::int64_t> orid = st.integer(0);
        if (!orid) continue;
        origins.push_back({*orid, st.real(1), st.real(2), st.real(3), st.real(4), st.real(5)});
    }
    return origins;
}

}  // namespace

std::vector<AutomaticOrigin> ListAutomaticOrigins(Db::Connection& automatic) {
    return ListOrigins(automatic, "origin_alert");
}

std::vector<AutomaticOrigin> ListSecondaryOrigins(Db::Connection& css) { return ListOrigins(css, "origin"); }

void EventStore::AddImportedArrivals(Db::Statement& rows, bool keepArids) {
    const int arid = rows.findColumn("arid"), azimuth = rows.findColumn("azimuth"),
              slow = rows.findColumn("slow"), fm = rows.findColumn("fm"), amp = rows.findColumn("amp"),
              per = rows.findColumn("per"), qual = rows.findColumn("qual"),
              deltim = rows.findColumn("deltim"), timeres = rows.findColumn("timeres"),
              magnitude = rows.findColumn("magnitude");
    auto real = [&rows](int column) { return column < 0 ? std::nullopt : rows.real(column); };
    auto text = [&rows](int column) { return column < 0 ? std::string() : TrimmedColumn(rows.text(column)); };
    while (rows.fetch()) {
        const std::optional<std::string> sta = rows.text(0), chan = rows.text(1), iphase = rows.text(2);
        const std::optional<double> time = rows.real(3);
        if (!sta || !chan || !iphase || !time) continue;
        const int station = FindStation(stations_, TrimmedColumn(sta));
        if (station < 0) continue;
        const int slot = stations_[station].FindSlot(TrimmedColumn(chan));
        const int phase = catalogue_.IndexOf(TrimmedColumn(iphase));
        if (slot < 0 || phase < 0) continue;

        SEISMIC_PHASE p;
        p.stationIndex = station;
        p.channelIndex = slot;
        p.phaseIndex = phase;
        SetPickTime(p, *time);
        if (auto d = real(deltim)) p.deltim = *d;
        const std::optional<double> a = real(amp), t = real(per);
        if (a && t && *a > 0) {
            p.amplitude = static_cast<float>(*a / 1000.0);  // nanometres to micrometres
            p.period = static_cast<float>(*t);
            p.hasAmplitude = 1;
            p.ampTime = *time + *t;
        }
        if (auto az = real(azimuth); az && *az != -1.0) {
            p.azimuth = static_cast<float>(*az > 180.0 ? *az - 360.0 : *az);
            p.hasAzimuth = 1;
        }
        if (auto s = real(slow)) {
            p.slowness = static_cast<float>(*s);
            p.hasSlowness = 1;
        }
        const std::string motion = text(fm);
        switch (motion.empty() ? ' ' : motion[0]) {
            case 'c':
                p.firstMotion = 5;
                break;
            case 'd':
                p.firstMotion = 6;
                break;
            case 'u':
                p.firstMotion = 7;
                break;
            case 'r':
                p.firstMotion = 8;
                break;
            default:
                p.firstMotion = 4;
        }
        const std::string quality = text(qual);
        switch (quality.empty() ? ' ' : quality[0]) {
            case '-':
                p.onset = kOnsetNone;
                break;
            case 'E':
            case 'e':
                p.onset = kOnsetEmergent;
                break;
            case 'I':
            case 'i':
                p.onset = kOnsetImpulsive;
                break;
            case 'W':
            case 'w':
                p.onset = kOnsetWeak;
                break;
            default:
                break;
        }
        if (auto r = real(timeres)) {
            p.residual = static_cast<float>(*r);
            p.hasResidual = 1;
        }
        if (auto m = real(magnitude)) p.mb = static_cast<float>(*m);
        // Arrival ids of another system mean nothing here: such picks draw their own.
        if (auto id = arid < 0 ? std::nullopt : rows.integer(arid);
            keepArids && id && *id > 0 && *id <= INT32_MAX)
            p.arid = static_cast<std::int32_t>(*id);
        p.weight = 1;
        p.included = catalogue_.HasCurve(phase) ? 1 : 0;
        phases_.Add(p);
    }
}

void EventStore::ReadImportedOrigin(Db::Statement& origin) {
    event_.ellipse = {};  // the stored origin carries none; the one shown belonged to another solution
    if (!origin.fetch()) {
        event_.hypocentreValid = false;
        return;
    }
    const auto lat = Known(origin.real(0)), lon = Known(origin.real(1)), depth = Known(origin.real(2));
    std::optional<double> time = origin.real(3);
    if (time && std::fabs(*time - kCssNullTime) < 0.0005) time.reset();
    event_.hypocentreValid = lat && lon && depth && time;
    event_.lat = static_cast<float>(lat.value_or(45.0));
    event_.lon = static_cast<float>(lon.value_or(45.0));
    event_.depth = static_cast<float>(depth.value_or(0.0));
    event_.originTime = time.value_or(0.0);  // never the time of the event loaded before
    event_.mb = static_cast<float>(Known(origin.real(4)).value_or(kMagnitudeNone));
    event_.ms = static_cast<float>(Known(origin.real(5)).value_or(kMagnitudeNone));
}

void EventStore::LoadFromSecondary(std::int64_t orid, std::string_view comment) {
    if (!databases_.cssAvailable()) throw ZelError("Ошибка инициализации интерфейса к базе данных CSS");
    Db::Connection& css = databases_.css();
    UndoneOnFailure([&] {
        event_.orid = static_cast<std::int32_t>(orid);
        event_.comment = std::string(comment);
        phases_.RemoveAll();
        {
            Db::Statement rows(css);
            rows.execute(
                "select arrival.STA, arrival.CHAN, arrival.IPHASE, arrival.TIME, arrival.DELTIM, arrival.ARID, "
                "arrival.AZIMUTH, arrival.SLOW, arrival.EMA, arrival.FM, arrival.AMP, arrival.PER, arrival.QUAL "
                "from "
                "arrival, assoc where arrival.arid=assoc.arid and assoc.orid=?",
                {orid});
            AddImportedArrivals(rows, true);
        }
        Db::Statement origin(css);
        origin.execute("select lat, lon, depth, time, mb, ms from origin where orid=?", {orid});
        ReadImportedOrigin(origin);
    });
}

void EventStore::LoadFromAutomatic(Db::Connection& automatic, std::int64_t orid) {
    UndoneOnFailure([&] {
        event_.comment.clear();
        event_.orid = static_cast<std::int32_t>(orid);
        phases_.RemoveAll();
        {
            Db::Statement rows(automatic);
            rows.execute(kAutomaticArrivalsQuery, {orid});
            AddImportedArrivals(rows, false);
        }
        event_.eventId = PadEventId(ProposedEventId(phases_, clock()));
        Db::Statement origin(automatic);
        origin.execute("select lat, lon, depth, time, mb, ms from origin_alert where orid=?", {orid});
        ReadImportedOrigin(origin);
    });
}

}  // namespace zel

#include "formats/CssStoredEvents.h"

#include <cmath>

#include "base/Strings.h"
#include "data/StationModel.h"
#include "db/Odbc.h"

namespace zel {
namespace {

CssPick StoredPick(Db::Statement& st, const std::vector<Station>& stations) {
    CssPick p;
    p.sta = TrimmedColumn(st.text(0));
    p.chan = TrimmedColumn(st.text(1));
    p.phase = TrimmedColumn(st.text(2));
    p.time = st.real(3).value_or(0.0);
    p.deltim = st.real(4).value_or(0.0);
    if (auto azimuth = st.real(5)) {
        p.hasAzimuth = true;
        p.azimuth = *azimuth;
        p.ema = st.real(6).value_or(0.0);
    }
    p.firstMotion = st.text(7).value_or("");
    p.onset = st.text(8).value_or("");
    const auto period = st.real(9);
    p.residual = st.real(10);
    if (auto amplitude = st.real(11); amplitude && period) {
        p.hasAmplitude = true;
        p.amplitude = *amplitude;
        p.period = *period;
        p.ampTime = st.real(19).value_or(0.0);
    }
    p.weight = static_cast<int>(st.integer(12).value_or(4));
    p.included = st.integer(13).value_or(0) != 0;
    p.arid = st.integer(14).value_or(-1);
    p.ms = st.real(15).value_or(-1.0);
    p.mb = st.real(16).value_or(-1.0);
    p.mplp = st.real(17).value_or(-1.0);
    p.mpsp = st.real(18).value_or(-1.0);
    p.mcoda = st.real(20).value_or(-1.0);
    p.ml = st.real(21).value_or(-1.0);
    if (const int station = FindStation(stations, p.sta); station >= 0) {
        p.staLat = stations[station].lat;
        p.staLon = stations[station].lon;
    }
    return p;
}

}  // namespace

std::vector<StoredCssEvent> ReadStoredCssEvents(Db::Connection& work, double start, double end,
                                                const std::vector<Station>& stations) {
    const auto from = static_cast<std::int64_t>(std::trunc(start)),
               to = static_cast<std::int64_t>(std::trunc(end));
    std::vector<StoredCssEvent> events;
    {
        Db::Statement st(work);
        st.execute(
            "Select DISTINCT ORIGIN.orid as ORID, ORIGIN.eventid as EVENTID, ORIGIN.lon as LON,ORIGIN.lat "
            "as LAT, ORIGIN.depth as DEPTH, ORIGIN.origintime as ORIGINTIME,ORIGIN.MB as MB,ORIGIN.MS as MS  "
            "FROM ORIGIN,ARRIVAL where ORIGIN.eventid = ARRIVAL.eventid and ((arrival.itime >= ? and "
            "arrival.itime <=?) or (ORIGIN.origintime >= ? and ORIGIN.origintime <= ?)) order by "
            "ORIGIN.origintime desc",
            {from, to, from, to});
        while (st.fetch()) {
            StoredCssEvent e;
            e.orid = st.integer(0).value_or(-1);
            e.eventId = st.text(1).value_or("");
            const auto lon = st.real(2), lat = st.real(3), depth = st.real(4);
            e.hypocentre.valid = lat && lon && depth;
            e.hypocentre.lat = lat.value_or(0.0);
            e.hypocentre.lon = lon.value_or(0.0);
            e.hypocentre.depth = depth.value_or(-1.0);
            e.hypocentre.time = st.real(5).value_or(0.0);
            e.hypocentre.mb = st.real(6).value_or(-999.0);
            e.hypocentre.ms = st.real(7).value_or(-999.0);
            events.push_back(std::move(e));
        }
    }
    for (StoredCssEvent& e : events) {
        Db::Statement st(work);
        const auto last = e.eventId.find_last_not_of(' ');
        st.execute(
            "select STA, CHAN, IPHASE, ITIME, DELTIM, AZIMUTH, EMA, FM, IM_EM, PER, RESIDUALS, AMPL, WGT, "
            "FLAG, ARID, MS, MB, MPLP, MPSP, AMPTIME, MCODA, ML from ARRIVAL where RTRIM(EVENTID)=? "
            "order by ITIME",
            {last == std::string::npos ? std::string() : e.eventId.substr(0, last + 1)});
        while (st.fetch())
            if (st.text(0) && st.real(3)) e.picks.push_back(StoredPick(st, stations));
    }
    return events;
}

StoredTablesResult WriteStoredCssTables(const std::vector<StoredCssEvent>& events,
                                        const std::string& directory, std::time_t now) {
    StoredTablesResult result;
    for (const StoredCssEvent& e : events) {
        if (e.orid < 0) {
            ++result.withoutOrid;
            continue;
        }
        const CssEvent rows =
            BuildCssEvent(e.hypocentre, e.orid, e.picks, CssTarget::TextTables, CountingKeys());
        WriteCssTextTables(rows, e.orid, directory, now);
        ++result.written;
    }
    return result;
}

}  // namespace zel

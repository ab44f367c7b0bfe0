#include "events/Detections.h"

#include <cmath>

#include "base/Strings.h"
#include "db/Odbc.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

std::optional<double> Difference(const DetectionRow& row, const ArrivalPredictor& predict,
                                 const char* phase) {
    if (!predict) return std::nullopt;
    const std::optional<double> predicted = predict(row.station, phase);
    if (!predicted || !std::isfinite(*predicted)) return std::nullopt;
    return row.time - *predicted;
}

}  // namespace

ArrivalPredictor PredictorFor(const CurrentEvent& event, const std::vector<Station>& stations,
                              const PhaseCatalogue& catalogue) {
    if (!event.hypocentreValid) return {};
    const CurrentEvent at = event;
    return [at, &stations, &catalogue](const std::string& code,
                                       const std::string& phase) -> std::optional<double> {
        const int station = FindStation(stations, code);
        const int index = catalogue.IndexOf(phase);
        if (station < 0 || index < 0) return std::nullopt;
        const double distance = Distance(at.lat, at.lon, stations[station].lat, stations[station].lon);
        const float travel =
            catalogue.TravelTime(index, std::max(at.depth, 0.0f), static_cast<float>(distance));
        if (travel < 0) return std::nullopt;
        return at.originTime + travel;
    };
}

void ProposePhase(DetectionRow& row, const ArrivalPredictor& predict) {
    row.difference.reset();
    row.checked = false;
    std::optional<double> closest;
    if (row.phase != "N") {
        closest = Difference(row, predict, row.phase.c_str());
    } else {
        const std::optional<double> p = Difference(row, predict, "P");
        const std::optional<double> k = Difference(row, predict, "PKiKP");
        const bool kCloser = k && (!p || std::fabs(*p) > std::fabs(*k));
        closest = kCloser ? k : p;
        if (closest && std::fabs(*closest) <= kCheckWindow) row.phase = kCloser ? "PKiKP" : "P";
    }
    if (closest && std::fabs(*closest) <= kShowWindow) row.difference = closest;
    row.checked = closest && std::fabs(*closest) <= kCheckWindow;
}

std::vector<DetectionRow> ReadEventListDetections(Db::Connection& work, double from, double to,
                                                  const ArrivalPredictor& predict) {
    Db::Statement st(work);
    st.execute("select tbegin, sta, lddate from eventlist where (tbegin >= ? and tbegin < ?)", {from, to});
    std::vector<DetectionRow> rows;
    while (st.fetch()) {
        const std::optional<double> time = st.real(0);
        const std::string station = TrimmedColumn(st.text(1));
        if (!time || station.empty()) continue;
        DetectionRow row;
        row.station = station;
        row.time = *time;
        ProposePhase(row, predict);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<DetectionRow> ReadAlertDetections(Db::Connection& css, double from, double to,
                                              const ArrivalPredictor& predict) {
    Db::Statement st(css);
    st.execute(
        "select sta, time, phase, azimuth, slow from ALERT where time between ? and ? order by time DESC, "
        "sta DESC",
        {from, to});
    std::vector<DetectionRow> rows;
    while (st.fetch()) {
        const std::string station = TrimmedColumn(st.text(0));
        const std::optional<double> time = st.real(1);
        if (!time || station.empty()) continue;
        DetectionRow row;
        row.station = station;
        row.time = *time;
        if (std::string phase = TrimmedColumn(st.text(2)); !phase.empty()) row.phase = phase;
        row.azimuth = st.real(3);
        row.slowness = st.real(4);
        ProposePhase(row, predict);
        rows.push_back(std::move(row));
    }
    return rows;
}

int AddCheckedDetections(const std::vector<DetectionRow>& rows, const std::vector<Station>& stations,
                         const PhaseCatalogue& catalogue, ZELPhases& phases) {
    int added = 0;
    for (const DetectionRow& row : rows) {
        if (!row.checked) continue;
        const int station = FindStation(stations, row.station);
        const int phase = catalogue.IndexOf(row.phase);
        if (station < 0 || phase < 0 || !stations[station].slots[0].Used()) continue;
        SEISMIC_PHASE p;
        p.stationIndex = station;
        p.channelIndex = 0;
        p.phaseIndex = phase;
        if (!SetPickTime(p, row.time)) continue;
        p.included = catalogue.HasCurve(phase) ? 1 : 0;
        // Azimuths above 180 become negative, as in the other imports.
        if (row.azimuth && *row.azimuth != -1.0) {
            p.azimuth = static_cast<float>(*row.azimuth > 180.0 ? *row.azimuth - 360.0 : *row.azimuth);
            p.hasAzimuth = 1;
        }
        if (row.slowness) {
            p.slowness = static_cast<float>(*row.slowness);
            p.hasSlowness = 1;
        }
        phases.Add(p);
        ++added;
    }
    return added;
}

}  // namespace zel

#include "events/ResidualRows.h"

#include <algorithm>
#include <cmath>

#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {

std::vector<ResidualRow> ResidualRows(const ZELPhases& phases, const std::vector<Station>& stations,
                                      const PhaseCatalogue& catalogue, const CurrentEvent& event) {
    std::vector<ResidualRow> rows;
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        if (!p.hasResidual || !std::isfinite(p.residual)) continue;
        const auto da = EpicentreToChannel(event, stations, p.stationIndex, p.channelIndex);
        if (!da) continue;
        rows.push_back({stations[static_cast<std::size_t>(p.stationIndex)].code, catalogue.Name(p.phaseIndex),
                        da->distance, da->distance * kKilometresPerDegree, da->azimuth, p.residual,
                        p.included != 0});
    }
    return rows;
}

double DefiningRms(const std::vector<ResidualRow>& rows) {
    double sum = 0;
    int n = 0;
    for (const ResidualRow& r : rows)
        if (r.defining) sum += r.residual * r.residual, ++n;
    return n ? std::sqrt(sum / n) : 0.0;
}

bool ResidualDistancesInKm(const std::vector<ResidualRow>& rows) {
    return std::all_of(rows.begin(), rows.end(), [](const ResidualRow& r) { return r.distanceDeg <= 10.0; });
}

std::pair<double, double> ResidualRange(const std::vector<ResidualRow>& rows) {
    double largest = 0;
    for (const ResidualRow& r : rows) largest = std::max(largest, std::fabs(r.residual));
    const double reach = std::max(1.0, 1.1 * largest);
    return {-reach, reach};
}

}  // namespace zel

#include "events/LocationOutcome.h"

#include <map>

#include "base/FormatText.h"
#include "events/PhaseCatalogue.h"
#include "events/StationPhasePicks.h"
#include "events/ZELPhases.h"

namespace zel {

std::string ObservationName(const Observation& o, const std::vector<Station>& stations,
                            const PhaseCatalogue& catalogue) {
    const std::string station = o.station >= 0 && o.station < static_cast<int>(stations.size())
                                    ? stations[o.station].code
                                    : std::to_string(o.station);
    return station + " " + catalogue.Name(o.phase);
}

std::vector<std::string> LocationNotes(const std::vector<Observation>& observations, const ZELPhases& phases,
                                       const std::vector<Station>& stations, const PhaseCatalogue& catalogue) {
    std::string withoutTime, outliers;
    for (const Observation& o : observations) {
        const std::string name = ObservationName(o, stations, catalogue);
        if (o.use == ObservationUse::NoTravelTime) withoutTime += (withoutTime.empty() ? "" : ", ") + name;
        if (o.use == ObservationUse::Outlier)
            outliers += (outliers.empty() ? "" : ", ") +
                        Tr("%1 (%2 с)").arg(name).arg(FormatText("%+.1f", o.residual));
    }
    std::vector<std::string> notes;
    if (!withoutTime.empty()) notes.push_back(Tr(kPhasesWithoutTravelTime).arg(withoutTime));
    if (!outliers.empty()) notes.push_back(Tr(kPhasesExcludedAsOutliers).arg(outliers));
    if (std::string withoutCurve = PhasesWithoutCurveNote(phases, stations, catalogue); !withoutCurve.empty())
        notes.push_back(std::move(withoutCurve));
    return notes;
}

std::string PhasesWithoutCurveNote(const ZELPhases& phases, const std::vector<Station>& stations,
                                   const PhaseCatalogue& catalogue) {
    std::string names;
    for (const SEISMIC_PHASE* p : OnePickPerStationPhase(phases)) {
        if (catalogue.CurveName(p->phaseIndex).empty() || catalogue.HasCurve(p->phaseIndex)) continue;
        Observation o;
        o.station = p->stationIndex;
        o.phase = p->phaseIndex;
        names += (names.empty() ? "" : ", ") + ObservationName(o, stations, catalogue);
    }
    return names.empty() ? std::string() : Tr(kPhasesWithoutCurve).arg(names);
}

void MarkOutlierPicks(ZELPhases& phases, const std::vector<Observation>& observations) {
    std::map<std::pair<int, int>, bool> outlier;  // (station, phase) -> excluded
    for (const Observation& o : observations)
        outlier[{o.station, o.phase}] = o.use == ObservationUse::Outlier;
    for (int i = 0; i < phases.Count(); ++i) {
        SEISMIC_PHASE& p = *phases.GetAt(i);
        const auto it = outlier.find({p.stationIndex, p.phaseIndex});
        if (it == outlier.end() || (!p.included && !p.outlier)) continue;
        p.included = it->second ? 0 : 1;
        p.outlier = it->second ? 1 : 0;
    }
}

}  // namespace zel

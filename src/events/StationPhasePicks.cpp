#include "events/StationPhasePicks.h"

#include <map>

#include "events/ZELPhases.h"

namespace zel {

std::vector<const SEISMIC_PHASE*> OnePickPerStationPhase(const ZELPhases& phases) {
    const auto rank = [](const SEISMIC_PHASE& p) { return p.included ? 2 : p.hasAmplitude ? 1 : 0; };
    std::map<std::pair<int, int>, int> chosen;  // (station, phase) -> list index
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        const auto [it, fresh] = chosen.try_emplace({p.stationIndex, p.phaseIndex}, i);
        if (!fresh && rank(p) > rank(*phases.GetAt(it->second))) it->second = i;
    }
    std::vector<bool> keep(phases.Count(), false);
    for (const auto& [key, index] : chosen) keep[index] = true;
    std::vector<const SEISMIC_PHASE*> picks;
    for (int i = 0; i < phases.Count(); ++i)
        if (keep[i]) picks.push_back(phases.GetAt(i));
    return picks;
}

}  // namespace zel

#include "events/NetworkMagnitudes.h"

#include <map>
#include <set>

#include "events/CurrentEvent.h"
#include "events/Magnitudes.h"
#include "events/PhaseCatalogue.h"
#include "events/StationPhasePicks.h"
#include "events/ZELPhases.h"

namespace zel {

namespace {

enum class StationKind { None, Mb, Ms, Ml };

// The magnitude each phase stands for; the calibrations themselves refuse distances outside
// their range, so a regional P gets no mb and a teleseismic S no ML.
StationKind KindOf(const std::string& phase) {
    if (phase == "P") return StationKind::Mb;
    if (phase == "LR") return StationKind::Ms;
    if (IsSGroupPhase(phase) || phase == "Lg") return StationKind::Ml;
    return StationKind::None;
}

// The mean of one value per station (a pick copied onto several channels counts once).
std::optional<double> StationMean(const std::map<int, double>& values) {
    if (values.empty()) return std::nullopt;
    double sum = 0;
    for (const auto& [station, value] : values) sum += value;
    return sum / static_cast<double>(values.size());
}

}  // namespace

void RecomputeNetworkMagnitudes(const ZELPhases& phases, CurrentEvent& event) {
    // A station's phase copied onto several channels is one value.
    const std::vector<const SEISMIC_PHASE*> picks = OnePickPerStationPhase(phases);
    auto network = [&](float SEISMIC_PHASE::*field, float& mean, float& variance) {
        double sum = 0.0;
        int count = 0;
        for (const SEISMIC_PHASE* p : picks)
            if (const float v = p->*field; v > 0) sum += v, ++count;
        if (count == 0) {
            mean = kMagnitudeNone;
            return;
        }
        const double m = sum / count;
        double squares = 0.0;
        for (const SEISMIC_PHASE* p : picks)
            if (const float v = p->*field; v > 0) squares += (v - m) * (v - m);
        mean = static_cast<float>(m);
        variance = static_cast<float>(squares / count);
    };
    network(&SEISMIC_PHASE::mb, event.mb, event.mbVariance);
    network(&SEISMIC_PHASE::ms, event.ms, event.msVariance);
}

NetworkMagnitudes ComputeMagnitudes(ZELPhases& phases, CurrentEvent& event, const std::vector<Station>& stations,
                                    const PhaseCatalogue& catalogue,
                                    const std::vector<std::string>& calibrationDirs) {
    const double depth = event.depth > 0 ? event.depth : 0.0;
    CCALIBDATA mbTable;
    const std::string mbPath = FindCalibrationFile(calibrationDirs, TableMagnitudeFile(TableMagnitudeKind::Mb));
    const bool haveMb = !mbPath.empty() && mbTable.load(mbPath);
    std::map<int, CMLCalib> mlTables;
    std::map<int, double> mlByStation;

    for (int i = 0; i < phases.Count(); ++i) {
        SEISMIC_PHASE& p = *phases.GetAt(i);
        if (!p.hasAmplitude || !(p.distance > 0) || p.stationIndex < 0 ||
            p.stationIndex >= static_cast<int>(stations.size()))
            continue;
        const double a = p.amplitude, t = p.period;
        const StationKind kind = KindOf(catalogue.Name(p.phaseIndex));
        if (kind == StationKind::None || !AmplitudePeriodError(a, t).empty()) continue;
        StationMagnitude m;
        if (kind == StationKind::Mb) {
            if (!haveMb) continue;
            m = TableMagnitude(TableMagnitudeKind::Mb, mbTable, a, t, depth, p.distance);
            if (m.value) p.mb = static_cast<float>(*m.value);
        } else if (kind == StationKind::Ms) {
            m = MagnitudeMs(a, t, p.distance);
            if (m.value) p.ms = static_cast<float>(*m.value);
        } else {
            auto [calibration, fresh] = mlTables.try_emplace(p.stationIndex);
            if (fresh) calibration->second.load(calibrationDirs, stations[p.stationIndex].code);
            const bool table = !calibration->second.path().empty();
            m = LocalMagnitude(table ? &calibration->second : nullptr, a, p.distance, depth);
            if (m.value) {
                p.ml = static_cast<float>(*m.value);
                // A station with several S-group amplitudes takes its largest magnitude.
                auto [it, added] = mlByStation.try_emplace(p.stationIndex, *m.value);
                if (!added && *m.value > it->second) it->second = *m.value;
            }
        }
    }

    NetworkMagnitudes result;
    RecomputeNetworkMagnitudes(phases, event);
    std::set<int> mbStations, msStations;
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        if (p.mb > 0) mbStations.insert(p.stationIndex);
        if (p.ms > 0) msStations.insert(p.stationIndex);
    }
    if (event.mb > 0) result.mb = event.mb, result.mbStations = static_cast<int>(mbStations.size());
    if (event.ms > 0) result.ms = event.ms, result.msStations = static_cast<int>(msStations.size());
    result.ml = StationMean(mlByStation);
    result.mlStations = static_cast<int>(mlByStation.size());

    // Energy class on the Vegik scale from each station's largest P- and S-group amplitudes, kept
    // on its S-group picks as the energy-class dialog keeps it.
    std::map<int, double> classByStation;
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        if (classByStation.count(p.stationIndex) || !(p.distance > 0)) continue;
        const double ap = LargestGroupAmplitude(phases, catalogue, p.stationIndex, false);
        const double as = LargestGroupAmplitude(phases, catalogue, p.stationIndex, true);
        if (!(ap > 0) || !(as > 0)) continue;
        if (const std::optional<double> k =
                EnergyClass(EnergyClassScale::Vegik, p.distance * kKilometresPerDegree, depth, ap, as))
            classByStation[p.stationIndex] = *k;
    }
    for (int i = 0; i < phases.Count(); ++i) {
        SEISMIC_PHASE& p = *phases.GetAt(i);
        const auto k = classByStation.find(p.stationIndex);
        if (k != classByStation.end() && p.hasAmplitude && IsSGroupPhase(catalogue.Name(p.phaseIndex)))
            p.energyClass = k->second;
    }
    result.energyClass = StationMean(classByStation);
    result.classStations = static_cast<int>(classByStation.size());
    return result;
}

}  // namespace zel

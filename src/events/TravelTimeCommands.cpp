#include "events/TravelTimeCommands.h"

#include <cmath>

#include "base/FormatText.h"
#include "base/TimeConversions.h"
#include "base/UserText.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

UserText NoCurve(const PhaseCatalogue& catalogue, int phase) {
    return Tr("Нет данных годографа для фазы %1").arg(catalogue.Name(phase));
}

const SEISMIC_PHASE& PickOf(const PhaseCatalogue& catalogue, const ZELPhases& phases, int station,
                            int channel, int phase) {
    const SEISMIC_PHASE* pick = phases.Find(station, channel, phase);
    if (!pick) throw ZelError(Tr("Нет отметки фазы %1").arg(catalogue.Name(phase)));
    return *pick;
}

SEISMIC_PHASE PredictedPick(int station, int channel, int phase, double time) {
    SEISMIC_PHASE p;
    p.stationIndex = station;
    p.channelIndex = channel;
    p.phaseIndex = phase;
    p.onset = kOnsetImpulsive;
    p.firstMotion = 4;
    p.weight = 3;
    p.included = 0;
    p.savable = 0;
    SetPickTime(p, time);
    return p;
}

}  // namespace

std::string TravelTimeText(double seconds) {
    const auto whole = static_cast<long long>(seconds);
    const int hours = static_cast<int>((whole / 3600) % 48);
    const int minutes = static_cast<int>((whole / 60) % 60);
    const double rest = seconds - static_cast<double>(whole - whole % 60);
    return Tr("Время пробега=%1").arg(FormatText("%02d:%02d:%05.2f", hours, minutes, rest));
}

double CalculatorTravelTime(const PhaseCatalogue& catalogue, const std::string& phase, float depth,
                            float distance) {
    const int index = catalogue.IndexOf(phase);
    if (index < 0) throw ZelError(Tr("В системе отсутствует годограф %1").arg(phase));
    if (!catalogue.HasCurve(index)) throw ZelError(Tr("Ошибка загрузки файла годографа %1").arg(phase));
    const float travel = catalogue.TravelTime(index, depth, distance);
    if (travel < 0) throw ZelError(NoCurve(catalogue, index));
    return travel;
}

DistanceEstimate EstimateDistance(const PhaseCatalogue& catalogue, const ZELPhases& phases, int station,
                                  int channel, int firstPhase, int secondPhase, float depth) {
    if (firstPhase == secondPhase) throw ZelError("Фазы совпадают");
    const SEISMIC_PHASE& first = PickOf(catalogue, phases, station, channel, firstPhase);
    const SEISMIC_PHASE& second = PickOf(catalogue, phases, station, channel, secondPhase);
    const auto dt = static_cast<float>(second.time - first.time);
    const float distance =
        catalogue.DistanceForDifference(catalogue.Name(secondPhase), catalogue.Name(firstPhase), dt, depth);
    if (distance < 0) throw ZelError("Нет решения");
    const float travel = catalogue.TravelTime(firstPhase, depth, distance);
    if (travel < 0) throw ZelError("Нет решения");
    return {distance, first.time - travel};
}

std::string DistanceEstimateText(const DistanceEstimate& estimate, float depth) {
    const CalendarTime t = EpochToCalendar(estimate.originTime).value_or(CalendarTime{});
    return Tr("Расстояние до эпицентра %1 градусов.\n Время в очаге %2 %3\n при глубине %4 км")
        .arg(FormatText("%.3f", estimate.distance))
        .arg(FormatText("%02d:%02d:%.1f", t.hour, t.minute, t.second))
        .arg(FormatText("%02d.%02d.%4d", t.day, t.month, t.year))
        .arg(FormatText("%.0f", depth));
}

void ApplyDistanceEstimate(const DistanceEstimate& estimate, float depth, int station, int channel,
                           int firstPhase, int secondPhase, ZELPhases& phases, CurrentEvent& event,
                           std::map<int, float>& stationEstimates) {
    const auto distance = static_cast<float>(estimate.distance);
    stationEstimates[station] = distance;
    event.depth = depth;
    event.originTime = estimate.originTime;
    for (int phase : {firstPhase, secondPhase})
        if (SEISMIC_PHASE* pick = phases.Find(station, channel, phase)) pick->distance = distance;
}

PlacementResult PlacePhases(const PhaseCatalogue& catalogue, const ZELPhases& phases,
                            const PlacementRequest& request) {
    PlacementResult result;
    result.originTime = request.originTime;
    result.distance = request.distance;
    if (request.mode != PlacementMode::FromOrigin) {
        const int reference = request.referencePhase;
        const SEISMIC_PHASE& pick = PickOf(catalogue, phases, request.station, request.channel, reference);
        if (!catalogue.HasCurve(reference)) throw ZelError(NoCurve(catalogue, reference));
        if (request.mode == PlacementMode::FromPhase) {
            const float travel = catalogue.TravelTime(reference, request.depth, request.distance);
            if (travel < 0) throw ZelError(NoCurve(catalogue, reference));
            result.originTime = pick.time - travel;
        } else {
            const float distance = catalogue.DistanceForTime(
                catalogue.Name(reference), static_cast<float>(pick.time - request.originTime), request.depth);
            if (distance < 0) {
                result.noDistance = true;
                return result;
            }
            result.distance = distance;
        }
    }
    for (int phase : request.phases) {
        if (!catalogue.HasCurve(phase)) continue;
        const float travel = catalogue.TravelTime(phase, request.depth, result.distance);
        if (travel < 0) {
            if (request.mode == PlacementMode::FromOrigin)
                throw PlacementStopped(NoCurve(catalogue, phase), result);
            result.skipped.push_back(NoCurve(catalogue, phase));
            continue;
        }
        result.picks.push_back(
            PredictedPick(request.station, request.channel, phase, result.originTime + travel));
    }
    return result;
}

}  // namespace zel

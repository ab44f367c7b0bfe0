#pragma once
// The work behind the travel-time commands of the waveform window: the travel-time calculator's
// answer, the epicentral distance from the time between two phases picked on one channel, and
// the automatic placement of predicted phases. Failures are ZelError with the analyst's text.

#include <map>
#include <string>
#include <vector>

#include "base/ZelError.h"
#include "events/SeismicPhase.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;
struct CurrentEvent;

// "Время пробега=hh:mm:ss.ss", hours counted modulo 48 (3725.5 s gives 01:02:05.50).
std::string TravelTimeText(double seconds);

// The calculator: the travel time of a catalogue phase, or ZelError "В системе отсутствует
// годограф %1" for a name not in the catalogue and "Ошибка загрузки файла годографа %1" for a
// phase without a loaded table; "Нет данных годографа для фазы %1" where the table has no time.
double CalculatorTravelTime(const PhaseCatalogue& catalogue, const std::string& phase, float depth,
                            float distance);

struct DistanceEstimate {
    double distance = 0.0;    // degrees
    double originTime = 0.0;  // epoch seconds
};

// Distance from the onsets of two phases picked on one channel (station index, slot). ZelError:
// "Фазы совпадают", "Нет отметки фазы %1", "Нет решения".
DistanceEstimate EstimateDistance(const PhaseCatalogue& catalogue, const ZELPhases& phases, int station,
                                  int channel, int firstPhase, int secondPhase, float depth);

// "Расстояние до эпицентра %.3f градусов.\n Время в очаге ... \n при глубине %.0f км".
std::string DistanceEstimateText(const DistanceEstimate& estimate, float depth);

// Accepting an estimate: the station's distance estimate, the current hypocentre's depth and
// origin time (its epicentre unchanged), and the distance of both picks.
void ApplyDistanceEstimate(const DistanceEstimate& estimate, float depth, int station, int channel,
                           int firstPhase, int secondPhase, ZELPhases& phases, CurrentEvent& event,
                           std::map<int, float>& stationEstimates);

enum class PlacementMode {
    FromOrigin,          // origin time + travel time
    FromPhase,           // origin time moved so that the reference phase fits its pick
    FromPhaseAndOrigin,  // distance moved so that the reference phase fits its pick
};

struct PlacementRequest {
    PlacementMode mode = PlacementMode::FromOrigin;
    std::vector<int> phases;  // catalogue indices of the checked phases
    int station = 0, channel = 0;
    float distance = 0.0f;  // degrees
    float depth = 0.0f;     // km
    double originTime = 0.0;
    int referencePhase = 0;  // catalogue index; the two reference modes only
};

struct PlacementResult {
    std::vector<SEISMIC_PHASE> picks;  // to add to the phase list, in the order computed
    std::vector<std::string> skipped;  // one message per phase left out
    double originTime = 0.0;           // as used (moved in the reference-phase mode)
    float distance = 0.0f;             // as used (moved in the reference-and-origin mode)
    bool noDistance = false;           // reference-and-origin mode found no distance: nothing placed
};

// Predicted picks: onset 1, first motion 4, weight 3, not included and not to be saved. Phases
// without a curve are passed over. ZelError: "Нет отметки фазы %1" or "Нет данных годографа для
// фазы %1" for the reference phase; in the origin-time mode a phase with a curve but no time at
// this distance stops the run with "Нет данных годографа для фазы %1" (picks computed before it
// are kept in the error's partial result, see PlacementStopped).
PlacementResult PlacePhases(const PhaseCatalogue& catalogue, const ZELPhases& phases,
                            const PlacementRequest& request);

// Thrown by PlacePhases when the run stops half-way; carries what was placed before the stop.
class PlacementStopped : public ZelError {
  public:
    PlacementStopped(const UserText& text, PlacementResult partial)
        : ZelError(text), partial_(std::move(partial)) {}
    const PlacementResult& partial() const { return partial_; }

  private:
    PlacementResult partial_;
};

}  // namespace zel

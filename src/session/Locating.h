#pragma once
// Locating the session's event, the one road of the workstation's location commands and of
// zelbatch's "locate": the observations of the phase list, the internal locator, and the
// located hypocentre made the session's with its outliers left out and its residuals recomputed.

#include <vector>

#include "data/StationModel.h"
#include "events/LocationOutcome.h"
#include "events/Locator.h"
#include "session/Session.h"

namespace zel {

enum class LocationMethod { Svd, Descent };

struct LocatedEvent {
    LocationResult result;
    // What the location did with each (station, phase): used, left out for want of a travel time,
    // or excluded as an outlier.
    std::vector<Observation> observations;
};

// The observations of the session's phase list (defining phases with a curve at known stations).
std::vector<Observation> SessionObservations(const Session& session, const std::vector<Station>& stations);

// Locates the session's phase list from start; the session is not changed. Throws ZelError when
// the locator refuses (too few phases); a failed solution comes back with result.ok false and its
// problem.
LocatedEvent LocateSessionEvent(const Session& session, const std::vector<Station>& stations,
                                const LocationStart& start, LocationMethod method,
                                const LocationProgress& progress = {});

// The hypocentre the session's event takes, from a location or from the analyst's hands.
struct HypocentreFix {
    double lat = 0.0;
    double lon = 0.0;
    double depth = 0.0;
    double originTime = 0.0;
    ErrorEllipse ellipse;  // none for a hypocentre typed or set by hand
};

// The event's hypocentre set to fix (with its ellipse) and marked valid; nothing else is recomputed.
void SetHypocentre(CurrentEvent& event, const HypocentreFix& fix);

// Makes fix the session's valid hypocentre: the picks that located found outliers are left out
// of the location (none without located), every distance and residual is recomputed with the
// network magnitudes, and the observers are told.
void ApplyHypocentre(Session& session, const std::vector<Station>& stations, const HypocentreFix& fix,
                     const std::vector<Observation>* located = nullptr);

}  // namespace zel

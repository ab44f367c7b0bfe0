#include "session/Locating.h"

namespace zel {

std::vector<Observation> SessionObservations(const Session& session, const std::vector<Station>& stations) {
    return BuildObservations(session.phases(), stations, session.catalogue());
}

LocatedEvent LocateSessionEvent(const Session& session, const std::vector<Station>& stations,
                                const LocationStart& start, LocationMethod method,
                                const LocationProgress& progress) {
    Locator locator(SessionObservations(session, stations), CatalogueTravelTimes(session.catalogue()));
    LocatedEvent located;
    located.result = method == LocationMethod::Svd ? locator.LocateSvd(start, progress)
                                                   : locator.LocateDescent(start, progress);
    located.observations = locator.observations();
    return located;
}

void SetHypocentre(CurrentEvent& event, const HypocentreFix& fix) {
    event.lat = static_cast<float>(fix.lat);
    event.lon = static_cast<float>(fix.lon);
    event.depth = static_cast<float>(fix.depth);
    event.originTime = fix.originTime;
    event.ellipse = fix.ellipse;
    event.hypocentreValid = true;
}

void ApplyHypocentre(Session& session, const std::vector<Station>& stations, const HypocentreFix& fix,
                     const std::vector<Observation>* located) {
    CurrentEvent& event = session.event();
    SetHypocentre(event, fix);
    if (located) MarkOutlierPicks(session.phases(), *located);
    RecomputeResiduals(session.phases(), stations, session.catalogue(), event);
    session.changed(SessionChange::Hypocentre);
    session.changed(SessionChange::Picks);
}

}  // namespace zel

#pragma once
// The magnitudes a located phase list allows without an analyst choosing them pick by pick: every
// pick with an amplitude and a period gets the station magnitude its phase stands for (mb from a
// teleseismic P, Ms from a Rayleigh wave, ML from a local S or Lg), every station with P- and
// S-group amplitudes its energy class, and the event the network means.

#include <optional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;
struct CurrentEvent;

struct NetworkMagnitudes {
    std::optional<double> mb, ms, ml, energyClass;
    int mbStations = 0, msStations = 0, mlStations = 0, classStations = 0;
};

// The network mb and Ms of the event (with their variances) from the station magnitudes the
// picks hold, a station's phase copied onto several channels counted once; kMagnitudeNone where
// no pick has one.
void RecomputeNetworkMagnitudes(const ZELPhases& phases, CurrentEvent& event);

// Needs the picks' distances of the current hypocentre (RecomputeResiduals). Writes the station
// magnitudes into the picks and the network mb and Ms into the event. calibrationDirs: where the
// calibration files are looked for, the site's own first.
NetworkMagnitudes ComputeMagnitudes(ZELPhases& phases, CurrentEvent& event, const std::vector<Station>& stations,
                                    const PhaseCatalogue& catalogue,
                                    const std::vector<std::string>& calibrationDirs);

}  // namespace zel

#pragma once
// The residuals a location left in the phase list, one row per pick, as the residual plots show
// them against distance and azimuth from the epicentre.

#include <string>
#include <utility>
#include <vector>

namespace zel {

class PhaseCatalogue;
class ZELPhases;
struct CurrentEvent;
struct Station;

struct ResidualRow {
    std::string station;
    std::string phase;
    double distanceDeg = 0;
    double distanceKm = 0;
    double azimuth = 0;     // at the epicentre towards the station, degrees
    double residual = 0;    // seconds
    bool defining = false;  // took part in the location; else excluded
};

// Every pick with a residual whose channel has a position, in list order; none without a valid
// hypocentre.
std::vector<ResidualRow> ResidualRows(const ZELPhases& phases, const std::vector<Station>& stations,
                                      const PhaseCatalogue& catalogue, const CurrentEvent& event);

// Root mean square of the defining picks' residuals, seconds; 0 when there are none.
double DefiningRms(const std::vector<ResidualRow>& rows);

// Distances read in km while every pick lies within 10 degrees (local and regional events), in
// degrees beyond.
bool ResidualDistancesInKm(const std::vector<ResidualRow>& rows);

// The residual axis: symmetric about 0, the largest residual with a tenth to spare, at least +-1 s.
std::pair<double, double> ResidualRange(const std::vector<ResidualRow>& rows);

}  // namespace zel

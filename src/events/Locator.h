#pragma once
// Hypocentre location from the included picks: the origin times the picks imply (onset minus
// travel time) should agree, so the search minimises their weighted spread. Two methods: a
// steepest descent with a line search and a depth scan, and Geiger's linearised least squares
// solved by singular value decomposition, which also gives the error ellipse. Both may start
// from a 2-degree grid over the whole Earth.

#include <functional>
#include <string>
#include <vector>

#include "data/StationModel.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;
struct CurrentEvent;

inline constexpr const char* kTooFewPhases = "Количество фаз < 4";
inline constexpr const char* kLocationFailed = "Ошибка SVD: решение не найдено";
// The descent ended where some pick has no travel time (e.g. a fixed depth outside the tables).
inline constexpr const char* kNoSolution = "Решение не найдено: нет времени пробега для всех фаз";
// The misfit of a trial point where some phase has no travel time.
inline constexpr double kNoMisfit = 99999999.0;
inline constexpr double kEllipseKmPerDegree = 111.195;
inline constexpr double kMinDepth = 1.0;
inline constexpr double kMaxDepth = 600.0;

// One included pick as the locator sees it.
struct Observation {
    int station = 0;
    int channel = 0;
    int phase = 0;
    double time = 0.0;  // onset, epoch seconds
    double lat = 0.0;   // channel coordinates, degrees
    double lon = 0.0;
    double elev = 0.0;    // station elevation
    double weight = 1.0;  // 1 / (weight code + 1)
    double residual = 0.0;  // seconds, after solving
};

// Seconds from the source to the phase's arrival at this depth (km) and distance (degrees);
// below 0 when the phase does not exist there.
using TravelTimeFunction = std::function<double(int phase, double depth, double distance)>;
TravelTimeFunction CatalogueTravelTimes(const PhaseCatalogue& catalogue);

// One observation per included pick whose phase has a curve and whose channel is known; a pick
// whose phase index lies beyond the catalogue ends the list.
std::vector<Observation> BuildObservations(const ZELPhases& phases, const std::vector<Station>& stations,
                                           const PhaseCatalogue& catalogue);

struct LocationStart {
    double lat = 0.0;
    double lon = 0.0;
    double depth = 10.0;
    double originTime = 0.0;
    bool gridSearch = false;
    bool fixedDepth = false;
    bool fixedCoordinates = false;  // only the residuals are computed
};

struct ErrorEllipse {
    double major = -1.0;      // semi-axis, km
    double minor = -1.0;      // semi-axis, km
    double direction = -1.0;  // of the major axis, degrees clockwise from north, [0, 180)
    bool valid() const { return major >= 0.0; }
};

struct LocationResult {
    bool ok = true;  // false: a travel time was missing or the decomposition failed
    double lat = 0.0;
    double lon = 0.0;
    double depth = 0.0;
    double originTime = 0.0;
    double misfit = 0.0;  // the descent's weighted spread
    double rms = -1.0;    // root mean square residual, seconds; -1 when the solution failed
    ErrorEllipse ellipse;
    int iterations = 0;
};

// The latitude reflected by 180 degrees into [-90, 90], the longitude wrapped into [-180, 180],
// the depth clamped to [1, 600] km.
double FoldLatitude(double lat);
double WrapLongitude(double lon);
double ClampDepth(double depth);

// The 2-degree grid over the Earth costs 91 x 181 misfits; progress runs 0..100.
using LocationProgress = std::function<void(int percent)>;

class Locator {
  public:
    Locator(std::vector<Observation> observations, TravelTimeFunction travelTime);

    const std::vector<Observation>& observations() const { return observations_; }

    // Weighted spread of the implied origin times at a trial point, and their plain mean;
    // kNoMisfit when a travel time is missing there.
    double Misfit(double lat, double lon, double depth, double* originTime = nullptr) const;

    // Both store the residuals in the observations. LocateSvd throws ZelError kTooFewPhases
    // with fewer than 4 observations; LocateDescent does with none.
    LocationResult LocateDescent(const LocationStart& start, const LocationProgress& progress = {});
    LocationResult LocateSvd(const LocationStart& start, const LocationProgress& progress = {});

    // The grid point of smallest misfit at this depth (the first of equal ones).
    void GridStart(double& lat, double& lon, double depth, const LocationProgress& progress) const;

  private:
    double TravelTime(const Observation& o, double lat, double lon, double depth) const;
    double DepthScan(double lat, double lon, double* misfit) const;
    void StoreResiduals(double lat, double lon, double depth, double originTime);
    double Rms() const;

    std::vector<Observation> observations_;
    TravelTimeFunction travelTime_;
};

// The error ellipse from the latitude-longitude block of the covariance (degrees squared) at
// latitude lat: converted to kilometres first (east-west shrinks with cos(lat)), then scaled by
// sigma * sqrt(2 F(0.9; 2, n)).
ErrorEllipse EllipseFromCovariance(double cLatLat, double cLatLon, double cLonLon, double lat, double sigma, int n);

// The residual line of the result dialog: station and phase name, then the signed residual as
// "+00:00:1.25".
std::string FormatResidualLine(const std::string& station, const std::string& phase, double residual);

// What every pick learns from the current hypocentre: distance, azimuth and back azimuth to its
// channel, the residual of a phase with a curve, and the network magnitudes.
void RecomputeResiduals(ZELPhases& phases, const std::vector<Station>& stations, const PhaseCatalogue& catalogue,
                        CurrentEvent& event);

}  // namespace zel

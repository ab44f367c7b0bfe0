#pragma once
// Hypocentre location from the included picks: the origin times the picks imply (onset minus
// travel time) should agree, so the search minimises their weighted spread. Two methods: a
// steepest descent with a line search and a depth scan, and Geiger's linearised least squares
// solved by singular value decomposition, which also gives the error ellipse. Both may start
// from a 2-degree grid over the whole Earth.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/UserText.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"

namespace zel {

class PhaseCatalogue;
class ZELPhases;
struct CurrentEvent;

inline constexpr const char* kTooFewPhases = ZEL_TR_NOOP("Количество фаз < 4");
inline constexpr const char* kLocationFailed = ZEL_TR_NOOP("Ошибка SVD: решение не найдено");
// Too few phases have a travel time where the search stands (a start far from the source, a fixed
// depth outside the tables).
inline constexpr const char* kNoSolution =
    ZEL_TR_NOOP("Решение не найдено: нет времени пробега для всех фаз");
// The misfit of a trial point where some phase has no travel time.
inline constexpr double kNoMisfit = 99999999.0;
inline constexpr double kEllipseKmPerDegree = 111.195;
// Fewer usable phases than this (or than the event has, when it has fewer) is no location.
inline constexpr int kMinLocationPhases = 4;
// An implied origin time a minute or more away from the others' median is no pick of this
// event's phase: the start point sets such picks aside at once, and the grid search counts no
// residual as worse than this (a phase without a travel time at a grid point counts as this).
inline constexpr double kGrossResidualSeconds = 60.0;
// The outlier rule and the location are repeated until the excluded picks no longer change, at
// most this often.
inline constexpr int kMaxOutlierRounds = 10;
inline constexpr double kMinDepth = 1.0;
inline constexpr double kMaxDepth = 600.0;

// What the last location did with an observation.
enum class ObservationUse {
    Used,          // took part in the solution
    NoTravelTime,  // its phase has no travel time at the solution: left out
    Outlier,       // its residual is far beyond the spread of the others (OutlierRule.h): excluded
};

// One (station, phase) of the included picks as the locator sees it: a pick copied onto several
// channels of a station is one observation.
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
    bool keptByAnalyst = false;  // the analyst put it back after the outlier rule: never excluded again
    ObservationUse use = ObservationUse::Used;
};

// Seconds from the source to the phase's arrival at this depth (km) and distance (degrees);
// below 0 when the phase does not exist there.
using TravelTimeFunction = std::function<double(int phase, double depth, double distance)>;

// How many of the observations the last location used in this way.
int CountUse(const std::vector<Observation>& observations, ObservationUse use);
TravelTimeFunction CatalogueTravelTimes(const PhaseCatalogue& catalogue);

// One observation per (station, phase) of the picks that are included or were excluded by the
// outlier rule before (the rule judges them anew), whose phase has a curve and whose channel is
// known; the first such pick in time order stands for its copies. A pick whose phase index lies
// beyond the catalogue ends the list.
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

// Where a location starts when the analyst has set nothing else: the current hypocentre when it is
// valid (a previous solution, a bulletin origin or a start epicentre set on the map); otherwise the
// grid search, from the channel of the earliest observation. The depth is the hypocentre's, else
// kDefaultStartDepth; the origin time the hypocentre's when both are known, else
// kStartBeforeFirstArrival seconds before the earliest observation ("now" would be hours or years
// away from the picks).
inline constexpr double kDefaultStartDepth = 10.0;
inline constexpr double kStartBeforeFirstArrival = 2.0;
LocationStart DefaultLocationStart(const CurrentEvent& event, const std::vector<Observation>& observations);

struct LocationResult {
    bool ok = true;  // false: a travel time was missing or the decomposition failed
    double lat = 0.0;
    double lon = 0.0;
    double depth = 0.0;
    double originTime = 0.0;
    double misfit = 0.0;  // the descent's weighted spread
    double rms = -1.0;    // root mean square residual of the used observations, s; -1 when failed
    ErrorEllipse ellipse;
    int iterations = 0;
    int used = 0;  // observations that took part; the others say why in their `use`
    std::string problem;  // when not ok: kNoSolution (too few usable phases) or kLocationFailed
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

    // Weighted spread of the implied origin times of the observations not excluded as outliers
    // at a trial point, and their plain mean; kNoMisfit when a travel time is missing there.
    double Misfit(double lat, double lon, double depth, double* originTime = nullptr) const;

    // Both store the residuals and the use in the observations. At each step a phase without a
    // travel time at the trial hypocentre is left out of that step; the location fails when fewer
    // than kMinLocationPhases usable phases remain. Picks whose implied origin lies
    // kGrossResidualSeconds or more from the others' at the start are set aside at once; after
    // convergence the outlier rule (OutlierRule.h) excludes residuals far beyond the spread and
    // the location is repeated from the solution until the excluded set no longer changes.
    // LocateSvd throws ZelError kTooFewPhases with fewer than 4 observations; LocateDescent does
    // with none.
    LocationResult LocateDescent(const LocationStart& start, const LocationProgress& progress = {});
    LocationResult LocateSvd(const LocationStart& start, const LocationProgress& progress = {});

    // The grid point at this depth where the implied origin times agree best (the first of equal
    // ones): each observation adds its squared deviation from their median, at most
    // kGrossResidualSeconds squared, which is also what a phase without a travel time there adds.
    void GridStart(double& lat, double& lon, double depth, const LocationProgress& progress) const;

  private:
    struct Point {
        double lat, lon, depth;
    };
    using Mask = std::vector<char>;

    LocationResult Locate(const LocationStart& start, const LocationProgress& progress, bool svd);
    LocationResult DescentFrom(Point current, bool fixedDepth);
    // oneStep: a single decomposition at `current`, for its covariance (the step it takes is not
    // the answer).
    LocationResult SvdFrom(Point current, double originTime, bool fixedDepth, bool oneStep = false);
    double TravelTime(const Observation& o, double lat, double lon, double depth) const;
    double MisfitOver(const Mask& mask, const Point& p, double* originTime = nullptr) const;
    // Buffers of the grid search, kept from one grid point to the next.
    struct GridScratch {
        std::vector<double> implied, weight, sorted;
    };
    double GridScore(const Point& p, GridScratch& scratch) const;
    // The observations not excluded as outliers that have a travel time at p.
    Mask UsableAt(const Point& p) const;
    int Candidates() const;
    double DepthScan(const Mask& mask, double lat, double lon, double* misfit) const;
    // Sets aside the observations whose implied origin at p lies kGrossResidualSeconds or more
    // from the median of the others.
    void SetAsideGrossOutliers(const Point& p);
    // The outlier rule's verdict on the residuals now stored for the solution p.
    std::vector<bool> RuleOutliers(const Point& p) const;
    void StoreResiduals(double lat, double lon, double depth, double originTime);
    double Rms() const;

    std::vector<Observation> observations_;
    TravelTimeFunction travelTime_;
    std::array<double, 3> latLonCovariance_{};  // of the last Geiger step: lat-lat, lat-lon, lon-lon
};

// The error ellipse from the latitude-longitude block of the covariance (degrees squared) at
// latitude lat: converted to kilometres first (east-west shrinks with cos(lat)), then scaled by
// sigma * sqrt(2 F(0.9; 2, n)).
ErrorEllipse EllipseFromCovariance(double cLatLat, double cLatLon, double cLonLon, double lat, double sigma, int n);

// The residual line of the result dialog: station and phase name, then the signed residual as
// "+00:00:1.25".
std::string FormatResidualLine(const std::string& station, const std::string& phase, double residual);

// What every pick learns from the current hypocentre: the distance and the back azimuth of its
// channel, the residual of a phase with a curve, and the network magnitudes. The observed
// azimuth and slowness are left as measured.
void RecomputeResiduals(ZELPhases& phases, const std::vector<Station>& stations, const PhaseCatalogue& catalogue,
                        CurrentEvent& event);

}  // namespace zel

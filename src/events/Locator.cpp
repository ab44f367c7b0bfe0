#include "events/Locator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "base/ZelError.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/EventStore.h"
#include "events/LeastSquares.h"
#include "events/NetworkMagnitudes.h"
#include "events/OutlierRule.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

constexpr int kMaxIterations = 1000;
constexpr double kGridStep = 2.0;
constexpr double kAngleStep = 0.01;  // degrees, for the derivatives
constexpr double kDepthStep = 1.0;   // km
constexpr double kFirstStep = 4.0;
constexpr double kSmallestStep = 0.001;
constexpr double kAngleSettled = 0.01;
constexpr double kDepthSettled = 0.1;
constexpr double kTimeSettled = 0.1;
constexpr int kScanDepths = 600;
constexpr double kEllipseProbability = 0.9;

// The slope at the middle of the parabola through three equally spaced misfits; 0 when one of
// them is the failure value.
double CentralSlope(double below, double above, double step) {
    if (below >= kNoMisfit || above >= kNoMisfit) return 0.0;
    return (above - below) / (2.0 * step);
}

int CountOf(const std::vector<char>& mask) {
    return static_cast<int>(std::count(mask.begin(), mask.end(), 1));
}

}  // namespace

double FoldLatitude(double lat) {
    if (lat > 90.0) return lat - 180.0 * std::ceil((lat - 90.0) / 180.0);
    if (lat < -90.0) return lat + 180.0 * std::ceil((-90.0 - lat) / 180.0);
    return lat;
}

double WrapLongitude(double lon) {
    if (lon > 180.0) return lon - 360.0 * std::ceil((lon - 180.0) / 360.0);
    if (lon < -180.0) return lon + 360.0 * std::ceil((-180.0 - lon) / 360.0);
    return lon;
}

double ClampDepth(double depth) {
    if (!(depth >= kMinDepth)) return kMinDepth;
    return depth > kMaxDepth ? kMaxDepth : depth;
}

TravelTimeFunction CatalogueTravelTimes(const PhaseCatalogue& catalogue) {
    return [&catalogue](int phase, double depth, double distance) {
        return static_cast<double>(
            catalogue.TravelTime(phase, static_cast<float>(depth), static_cast<float>(distance)));
    };
}

std::vector<Observation> BuildObservations(const ZELPhases& phases, const std::vector<Station>& stations,
                                           const PhaseCatalogue& catalogue) {
    std::vector<Observation> out;
    std::set<std::pair<int, int>> seen;  // (station, phase) already observed
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        if (!p.included && !p.outlier) continue;
        if (p.phaseIndex >= catalogue.Count()) break;
        if (p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size())) continue;
        if (p.channelIndex < 0 || p.channelIndex >= kSlotsPerStation) continue;
        if (!catalogue.HasCurve(p.phaseIndex)) continue;
        if (!seen.emplace(p.stationIndex, p.phaseIndex).second) continue;
        const Station& station = stations[p.stationIndex];
        const ChannelSlot& slot = station.slots[p.channelIndex];
        Observation o;
        o.station = p.stationIndex;
        o.channel = p.channelIndex;
        o.phase = p.phaseIndex;
        o.time = p.time;
        o.lat = slot.lat;
        o.lon = slot.lon;
        o.elev = station.elev;
        o.weight = 1.0 / (p.weight + 1.0);
        o.keptByAnalyst = p.keptByAnalyst != 0;
        out.push_back(o);
    }
    return out;
}

int CountUse(const std::vector<Observation>& observations, ObservationUse use) {
    return static_cast<int>(std::count_if(observations.begin(), observations.end(),
                                          [use](const Observation& o) { return o.use == use; }));
}

LocationStart DefaultLocationStart(const CurrentEvent& event, const std::vector<Observation>& observations) {
    LocationStart start;
    const Observation* first = nullptr;
    for (const Observation& o : observations)
        if (!first || o.time < first->time) first = &o;
    start.depth = kDefaultStartDepth;
    if (event.hypocentreValid) {
        start.lat = event.lat;
        start.lon = event.lon;
        if (event.depth > 0) start.depth = event.depth;
    } else if (first) {
        start.lat = first->lat;
        start.lon = first->lon;
        start.gridSearch = true;
    }
    start.originTime = event.hypocentreValid && event.originTime > 0 ? event.originTime
                       : first                                       ? first->time - kStartBeforeFirstArrival
                                                                     : event.originTime;
    return start;
}

Locator::Locator(std::vector<Observation> observations, TravelTimeFunction travelTime)
    : observations_(std::move(observations)), travelTime_(std::move(travelTime)) {}

double Locator::TravelTime(const Observation& o, double lat, double lon, double depth) const {
    const std::optional<DistAzResult> d = DistAz(o.lat, o.lon, lat, lon);
    if (!d) return -1.0;
    return travelTime_(o.phase, depth, d->distance);
}

double Locator::Misfit(double lat, double lon, double depth, double* originTime) const {
    Mask mask(observations_.size());
    for (std::size_t i = 0; i < mask.size(); ++i) mask[i] = observations_[i].use != ObservationUse::Outlier;
    if (CountOf(mask) == 0) return 0.0;
    return MisfitOver(mask, {lat, lon, depth}, originTime);
}

double Locator::MisfitOver(const Mask& mask, const Point& p, double* originTime) const {
    const std::size_t n = observations_.size();
    // Small enough to live on the stack for every realistic event; no allocation per call.
    double implied[256];
    std::vector<double> spill;
    double* o = implied;
    if (n > std::size(implied)) {
        spill.resize(n);
        o = spill.data();
    }
    std::size_t first = n;
    for (std::size_t i = 0; i < n; ++i) {
        if (!mask[i]) continue;
        const double tt = TravelTime(observations_[i], p.lat, p.lon, p.depth);
        if (tt < 0) return kNoMisfit;
        o[i] = observations_[i].time - tt;
        if (first == n) first = i;
    }
    if (first == n) return kNoMisfit;
    // Relative to the first implied time: epoch seconds squared would lose the milliseconds.
    const double base = o[first];
    double sum = 0.0;
    int count = 0;
    for (std::size_t i = first; i < n; ++i)
        if (mask[i]) sum += o[i] - base, ++count;
    const double mean = base + sum / static_cast<double>(count);
    double misfit = 0.0;
    for (std::size_t i = first; i < n; ++i) {
        if (!mask[i]) continue;
        const double w = observations_[i].weight, r = o[i] - mean;
        misfit += w * w * r * r;
    }
    if (originTime) *originTime = mean;
    return misfit;
}

Locator::Mask Locator::UsableAt(const Point& p) const {
    Mask mask(observations_.size(), 0);
    for (std::size_t i = 0; i < observations_.size(); ++i)
        mask[i] = observations_[i].use != ObservationUse::Outlier &&
                  TravelTime(observations_[i], p.lat, p.lon, p.depth) >= 0;
    return mask;
}

int Locator::Candidates() const {
    return static_cast<int>(
        std::count_if(observations_.begin(), observations_.end(),
                      [](const Observation& o) { return o.use != ObservationUse::Outlier; }));
}

double Locator::GridScore(const Point& p, GridScratch& scratch) const {
    scratch.implied.clear();
    scratch.weight.clear();
    constexpr double cap = kGrossResidualSeconds * kGrossResidualSeconds;
    double score = 0.0;
    for (const Observation& o : observations_) {
        if (o.use == ObservationUse::Outlier) continue;
        const double tt = TravelTime(o, p.lat, p.lon, p.depth);
        if (tt < 0) {
            score += o.weight * o.weight * cap;
        } else {
            scratch.implied.push_back(o.time - tt);
            scratch.weight.push_back(o.weight * o.weight);
        }
    }
    if (static_cast<int>(scratch.implied.size()) < std::min(kMinLocationPhases, Candidates()))
        return kNoMisfit;
    scratch.sorted.assign(scratch.implied.begin(), scratch.implied.end());
    const double centre = MedianInPlace(scratch.sorted);
    for (std::size_t k = 0; k < scratch.implied.size(); ++k) {
        const double r = scratch.implied[k] - centre;
        score += scratch.weight[k] * std::min(r * r, cap);
    }
    return score;
}

void Locator::GridStart(double& lat, double& lon, double depth, const LocationProgress& progress) const {
    const int latCount = static_cast<int>(180.0 / kGridStep) + 1;
    const int lonCount = static_cast<int>(360.0 / kGridStep) + 1;
    double best = 1e20;
    int reported = -1;
    GridScratch scratch;
    for (int i = 0; i < latCount; ++i) {
        const double gridLat = -90.0 + i * kGridStep;
        for (int j = 0; j < lonCount; ++j) {
            const double gridLon = -180.0 + j * kGridStep;
            const double f = GridScore({gridLat, gridLon, depth}, scratch);
            if (f < best) {
                best = f;
                lat = gridLat;
                lon = gridLon;
            }
        }
        const int percent = (i + 1) * 100 / latCount;
        if (progress && percent != reported) progress(reported = percent);
    }
}

double Locator::DepthScan(const Mask& mask, double lat, double lon, double* misfit) const {
    double bestDepth = 0.0, best = MisfitOver(mask, {lat, lon, 0.0});
    for (int d = 1; d < kScanDepths; ++d) {
        const double f = MisfitOver(mask, {lat, lon, static_cast<double>(d)});
        if (f < best) {
            best = f;
            bestDepth = d;
        }
    }
    if (misfit) *misfit = best;
    return bestDepth;
}

void Locator::StoreResiduals(double lat, double lon, double depth, double originTime) {
    for (Observation& o : observations_) {
        const double tt = TravelTime(o, lat, lon, depth);
        o.residual = tt < 0 ? 0.0 : o.time - originTime - tt;
        if (o.use != ObservationUse::Outlier)
            o.use = tt < 0 ? ObservationUse::NoTravelTime : ObservationUse::Used;
    }
}

double Locator::Rms() const {
    double sum = 0.0;
    int count = 0;
    for (const Observation& o : observations_)
        if (o.use == ObservationUse::Used) sum += o.residual * o.residual, ++count;
    return count == 0 ? 0.0 : std::sqrt(sum / static_cast<double>(count));
}

void Locator::SetAsideGrossOutliers(const Point& p) {
    std::vector<double> implied;
    std::vector<std::size_t> index;
    for (std::size_t i = 0; i < observations_.size(); ++i) {
        const double tt = TravelTime(observations_[i], p.lat, p.lon, p.depth);
        if (tt < 0 || observations_[i].keptByAnalyst) continue;
        implied.push_back(observations_[i].time - tt);
        index.push_back(i);
    }
    const double centre = Median(implied);
    std::vector<std::size_t> gross;
    for (std::size_t k = 0; k < implied.size(); ++k)
        if (!(std::fabs(implied[k] - centre) < kGrossResidualSeconds)) gross.push_back(index[k]);
    // Only a few picks far from the many: a start far from the source scatters them all.
    if (static_cast<int>(observations_.size() - gross.size()) < kMinLocationPhases ||
        gross.size() * 2 >= implied.size())
        return;
    for (std::size_t i : gross) observations_[i].use = ObservationUse::Outlier;
}

std::vector<bool> Locator::RuleOutliers(const Point& p) const {
    const std::size_t n = observations_.size();
    std::vector<double> residuals(n);
    std::vector<bool> eligible(n), exempt(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Observation& o = observations_[i];
        residuals[i] = o.residual;
        eligible[i] = TravelTime(o, p.lat, p.lon, p.depth) >= 0;
        exempt[i] = o.keptByAnalyst;
    }
    return FindOutliers(residuals, eligible, exempt, kMinLocationPhases);
}

LocationResult Locator::LocateDescent(const LocationStart& start, const LocationProgress& progress) {
    if (observations_.empty()) throw ZelError(kTooFewPhases);
    return Locate(start, progress, false);
}

LocationResult Locator::LocateSvd(const LocationStart& start, const LocationProgress& progress) {
    if (observations_.size() < 4) throw ZelError(kTooFewPhases);
    return Locate(start, progress, true);
}

LocationResult Locator::Locate(const LocationStart& start, const LocationProgress& progress, bool svd) {
    for (Observation& o : observations_) o.use = ObservationUse::Used;
    // The start point is brought into range like every candidate, so a latitude of 95 is -85 from
    // the outset and the search compares candidates with a point that exists.
    Point current{FoldLatitude(start.lat), WrapLongitude(start.lon),
                  start.fixedDepth ? start.depth : ClampDepth(start.depth)};
    LocationResult result;
    if (start.fixedCoordinates) {
        StoreResiduals(current.lat, current.lon, current.depth, start.originTime);
        result.misfit = Misfit(current.lat, current.lon, current.depth);
        result.lat = current.lat;
        result.lon = current.lon;
        result.depth = current.depth;
        result.originTime = start.originTime;
        result.rms = Rms();
        result.used = CountUse(observations_, ObservationUse::Used);
        return result;
    }
    if (start.gridSearch) GridStart(current.lat, current.lon, current.depth, progress);
    SetAsideGrossOutliers(current);

    double originTime = start.originTime;
    for (int round = 0; round < kMaxOutlierRounds; ++round) {
        result =
            svd ? SvdFrom(current, originTime, start.fixedDepth) : DescentFrom(current, start.fixedDepth);
        if (!result.ok) break;
        StoreResiduals(result.lat, result.lon, result.depth, result.originTime);
        const std::vector<bool> outliers = RuleOutliers({result.lat, result.lon, result.depth});
        bool changed = false;
        for (std::size_t i = 0; i < observations_.size(); ++i)
            changed |= outliers[i] != (observations_[i].use == ObservationUse::Outlier);
        // The last round keeps the verdict its solution was found with.
        if (!changed || round + 1 == kMaxOutlierRounds) break;
        for (std::size_t i = 0; i < observations_.size(); ++i)
            observations_[i].use = outliers[i] ? ObservationUse::Outlier : ObservationUse::Used;
        current = {result.lat, result.lon, result.depth};
        originTime = result.originTime;
    }
    if (!result.ok) {
        result.rms = -1.0;
        return result;
    }
    result.rms = Rms();
    result.used = CountUse(observations_, ObservationUse::Used);
    // The descent has no covariance of its own: one least-squares decomposition at its hypocentre
    // gives the ellipse there, and the descent's hypocentre stays as it is.
    if (svd || SvdFrom({result.lat, result.lon, result.depth}, result.originTime, start.fixedDepth, true).ok) {
        const auto& [cLatLat, cLatLon, cLonLon] = latLonCovariance_;
        result.ellipse =
            EllipseFromCovariance(cLatLat, cLatLon, cLonLon, result.lat, result.rms, result.used);
    }
    return result;
}

LocationResult Locator::DescentFrom(Point current, bool fixedDepth) {
    LocationResult result;
    const int need = std::min(kMinLocationPhases, Candidates());
    Mask active;
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        result.iterations = iteration + 1;
        // A phase without a travel time here sits this step out.
        active = UsableAt(current);
        if (CountOf(active) < need) {
            result.ok = false;
            result.problem = Tr(kNoSolution);
            return result;
        }
        const auto misfit = [&](double lat, double lon, double depth) {
            return MisfitOver(active, {lat, lon, depth});
        };
        const double f0 = misfit(current.lat, current.lon, current.depth);
        const double gLat =
            CentralSlope(misfit(current.lat - kAngleStep, current.lon, current.depth),
                         misfit(current.lat + kAngleStep, current.lon, current.depth), kAngleStep);
        const double gLon =
            CentralSlope(misfit(current.lat, current.lon - kAngleStep, current.depth),
                         misfit(current.lat, current.lon + kAngleStep, current.depth), kAngleStep);
        const double gDepth =
            fixedDepth
                ? 0.0
                : CentralSlope(misfit(current.lat, current.lon, current.depth - kDepthStep),
                               misfit(current.lat, current.lon, current.depth + kDepthStep), kDepthStep);
        const double norm = std::sqrt(gLat * gLat + gLon * gLon + gDepth * gDepth);
        if (norm == 0.0 || !std::isfinite(norm)) break;

        // Halve the step until the candidate is no worse; when none is, stay where we are.
        Point candidate = current;
        double f = kNoMisfit;
        for (double s = kFirstStep; s >= kSmallestStep; s /= 2.0) {
            candidate = {FoldLatitude(current.lat - s * gLat / norm),
                         WrapLongitude(current.lon - s * gLon / norm),
                         ClampDepth(current.depth - s * gDepth / norm)};
            if (fixedDepth) candidate.depth = current.depth;
            f = misfit(candidate.lat, candidate.lon, candidate.depth);
            if (f <= f0) break;
        }
        if (f > f0) {
            candidate = current;
            f = f0;
        }
        if (!fixedDepth) {
            double scanned = 0.0;
            const double depth = DepthScan(active, candidate.lat, candidate.lon, &scanned);
            if (scanned < f) candidate.depth = ClampDepth(depth);
        }
        const bool settled = std::fabs(candidate.lat - current.lat) < kAngleSettled &&
                             std::fabs(std::remainder(candidate.lon - current.lon, 360.0)) < kAngleSettled &&
                             std::fabs(candidate.depth - current.depth) < kDepthSettled;
        current = candidate;
        if (settled) break;
    }
    active = UsableAt(current);
    if (!fixedDepth) current.depth = ClampDepth(DepthScan(active, current.lat, current.lon, nullptr));
    active = UsableAt(current);
    double originTime = 0.0;
    result.misfit = CountOf(active) < need ? kNoMisfit : MisfitOver(active, current, &originTime);
    result.ok = result.misfit < kNoMisfit;
    if (!result.ok) result.problem = Tr(kNoSolution);
    result.lat = current.lat;
    result.lon = current.lon;
    result.depth = current.depth;
    result.originTime = originTime;
    return result;
}

LocationResult Locator::SvdFrom(Point current, double originTime, bool fixedDepth, bool oneStep) {
    LocationResult result;
    const int n = static_cast<int>(observations_.size());
    const int cols = fixedDepth ? 3 : 4;
    std::vector<double> a, b;
    Svd svd;
    int rows = 0;
    for (int iteration = 0; iteration < (oneStep ? 1 : kMaxIterations); ++iteration) {
        result.iterations = iteration + 1;
        // A depth at the top of the tables is raised for the derivative, so both sides exist.
        const double derivativeDepth = current.depth <= 1.0 ? current.depth + 1.0 : current.depth;
        a.clear();
        b.clear();
        rows = 0;
        for (int i = 0; i < n; ++i) {
            const Observation& o = observations_[i];
            if (o.use == ObservationUse::Outlier) continue;
            // An observation without a travel time (or its derivatives) here sits this step out.
            const double tt = TravelTime(o, current.lat, current.lon, current.depth);
            const double latBelow = TravelTime(o, current.lat - kAngleStep, current.lon, current.depth);
            const double latAbove = TravelTime(o, current.lat + kAngleStep, current.lon, current.depth);
            const double lonBelow = TravelTime(o, current.lat, current.lon - kAngleStep, current.depth);
            const double lonAbove = TravelTime(o, current.lat, current.lon + kAngleStep, current.depth);
            if (tt < 0 || latBelow < 0 || latAbove < 0 || lonBelow < 0 || lonAbove < 0) continue;
            double depthSlope = 0.0;
            if (cols == 4) {
                const double above = TravelTime(o, current.lat, current.lon, derivativeDepth + kDepthStep);
                const double below = TravelTime(o, current.lat, current.lon, derivativeDepth - kDepthStep);
                if (above < 0 || below < 0) continue;
                depthSlope = (above - below) / (2.0 * kDepthStep);
            }
            a.push_back(1.0);
            a.push_back((latAbove - latBelow) / (2.0 * kAngleStep));
            a.push_back((lonAbove - lonBelow) / (2.0 * kAngleStep));
            if (cols == 4) a.push_back(depthSlope);
            b.push_back(o.time - tt - originTime);
            ++rows;
        }
        if (rows < kMinLocationPhases || !Decompose(a, rows, cols, svd)) {
            result.ok = false;
            result.problem = Tr(rows < kMinLocationPhases ? kNoSolution : kLocationFailed);
            return result;
        }
        const std::vector<double> dx = BackSubstitute(svd, b);
        // A step that loses phases overshot into a region the curves do not reach (a crustal
        // phase below the Moho): it is halved, unless the border lies within the settling size,
        // where losing the phase is the answer.
        const auto stepped = [&](double scale) {
            const Point p{FoldLatitude(current.lat + scale * dx[1]),
                          WrapLongitude(current.lon + scale * dx[2]),
                          cols == 4 ? ClampDepth(current.depth + scale * dx[3]) : current.depth};
            return p;
        };
        double scale = 1.0;
        Point next = stepped(scale);
        while (CountOf(UsableAt(next)) < rows) {
            scale /= 2.0;
            if (std::fabs(scale * dx[1]) < kAngleSettled && std::fabs(scale * dx[2]) < kAngleSettled &&
                (cols == 3 || std::fabs(scale * dx[3]) < kDepthSettled)) {
                scale = 1.0;
                next = stepped(scale);
                break;
            }
            next = stepped(scale);
        }
        originTime += scale * dx[0];
        current = next;
        if (std::fabs(dx[0]) < kTimeSettled && std::fabs(dx[1]) < kAngleSettled && std::fabs(dx[2]) < kAngleSettled &&
            (cols == 3 || std::fabs(dx[3]) < kDepthSettled))
            break;
    }
    result.lat = current.lat;
    result.lon = current.lon;
    result.depth = current.depth;
    result.originTime = originTime;
    const Mask usable = UsableAt(current);
    if (CountOf(usable) < kMinLocationPhases) {
        result.ok = false;
        result.problem = Tr(kNoSolution);
        return result;
    }
    result.misfit = MisfitOver(usable, current);

    // Covariance of the unknowns from the last decomposition: C = V diag(1/w^2) V^T.
    auto covariance = [&svd](int j, int k) {
        double sum = 0.0;
        for (int i = 0; i < svd.cols; ++i)
            if (svd.w[i] > 0) sum += svd.V(j, i) * svd.V(k, i) / (svd.w[i] * svd.w[i]);
        return sum;
    };
    latLonCovariance_ = {covariance(1, 1), covariance(1, 2), covariance(2, 2)};
    return result;
}

ErrorEllipse EllipseFromCovariance(double cLatLat, double cLatLon, double cLonLon, double lat, double sigma, int n) {
    // x east, y north, in km: a degree of longitude is shorter by cos(latitude).
    const double east = kEllipseKmPerDegree * std::cos(lat * M_PI / 180.0);
    const double cxx = cLonLon * east * east;
    const double cyy = cLatLat * kEllipseKmPerDegree * kEllipseKmPerDegree;
    const double cxy = cLatLon * kEllipseKmPerDegree * east;
    const double theta = 0.5 * std::atan2(2.0 * cxy, cyy - cxx);
    const double s = std::sin(theta), c = std::cos(theta);
    const double l1 = cxx * s * s + 2.0 * cxy * s * c + cyy * c * c;
    const double l2 = cxx * c * c - 2.0 * cxy * s * c + cyy * s * s;
    ErrorEllipse e;
    if (l1 < 0 || l2 < 0 || cxy == 0.0 || !std::isfinite(l1) || !std::isfinite(l2)) return e;
    const double k = sigma * std::sqrt(2.0 * FQuantile2(kEllipseProbability, n));
    e.major = k * std::sqrt(l1);
    e.minor = k * std::sqrt(l2);
    double direction = theta * 180.0 / M_PI;
    if (direction < 0) direction += 180.0;
    if (direction >= 180.0) direction -= 180.0;
    e.direction = direction;
    return e;
}

std::string FormatResidualLine(const std::string& station, const std::string& phase, double residual) {
    const double magnitude = std::fabs(residual);
    const int hours = static_cast<int>(magnitude / 3600.0);
    const int minutes = static_cast<int>((magnitude - hours * 3600.0) / 60.0);
    const double seconds = magnitude - hours * 3600.0 - minutes * 60.0;
    char line[160];
    std::snprintf(line, sizeof line, "%s%s %1c%02d:%02d:%.2f", station.c_str(), phase.c_str(),
                  residual < 0 ? '-' : '+', hours, minutes, seconds);
    return line;
}

void RecomputeResiduals(ZELPhases& phases, const std::vector<Station>& stations, const PhaseCatalogue& catalogue,
                        CurrentEvent& event) {
    for (int i = 0; i < phases.Count(); ++i) {
        SEISMIC_PHASE& p = *phases.GetAt(i);
        p.hasResidual = 0;
        p.residual = 0.0f;
        if (p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size())) continue;
        if (p.channelIndex < 0 || p.channelIndex >= kSlotsPerStation) continue;
        const ChannelSlot& slot = stations[p.stationIndex].slots[p.channelIndex];
        const std::optional<DistAzResult> d = DistAz(event.lat, event.lon, slot.lat, slot.lon);
        if (!d) continue;
        // The measured azimuth and slowness stay as they are: a computed value never replaces an
        // observation. The computed geometry has fields of its own.
        p.distance = static_cast<float>(d->distance);
        p.backAzimuth = static_cast<float>(d->backAzimuth);
        if (!catalogue.HasCurve(p.phaseIndex)) continue;
        const float tt = catalogue.TravelTime(p.phaseIndex, event.depth, p.distance);
        if (tt < 0) continue;
        p.hasResidual = 1;
        p.residual = static_cast<float>(p.time - event.originTime - tt);
    }
    RecomputeNetworkMagnitudes(phases, event);
}

}  // namespace zel

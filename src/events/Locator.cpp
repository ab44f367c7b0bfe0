#include "events/Locator.h"

#include <cmath>
#include <cstdio>

#include "base/ZelError.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/EventStore.h"
#include "events/LeastSquares.h"
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

struct Point {
    double lat, lon, depth;
};

Point Normalised(Point p) { return {FoldLatitude(p.lat), WrapLongitude(p.lon), ClampDepth(p.depth)}; }

bool Settled(const Point& a, const Point& b) {
    return std::fabs(a.lat - b.lat) < kAngleSettled && std::fabs(std::remainder(a.lon - b.lon, 360.0)) < kAngleSettled &&
           std::fabs(a.depth - b.depth) < kDepthSettled;
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
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        if (!p.included) continue;
        if (p.phaseIndex >= catalogue.Count()) break;
        if (p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size())) continue;
        if (p.channelIndex < 0 || p.channelIndex >= kSlotsPerStation) continue;
        if (!catalogue.HasCurve(p.phaseIndex)) continue;
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
        out.push_back(o);
    }
    return out;
}

Locator::Locator(std::vector<Observation> observations, TravelTimeFunction travelTime)
    : observations_(std::move(observations)), travelTime_(std::move(travelTime)) {}

double Locator::TravelTime(const Observation& o, double lat, double lon, double depth) const {
    const std::optional<DistAzResult> d = DistAz(o.lat, o.lon, lat, lon);
    if (!d) return -1.0;
    return travelTime_(o.phase, depth, d->distance);
}

double Locator::Misfit(double lat, double lon, double depth, double* originTime) const {
    const std::size_t n = observations_.size();
    if (n == 0) return 0.0;
    // Small enough to live on the stack for every realistic event; no allocation per call.
    double implied[256];
    std::vector<double> spill;
    double* o = implied;
    if (n > std::size(implied)) {
        spill.resize(n);
        o = spill.data();
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double tt = TravelTime(observations_[i], lat, lon, depth);
        if (tt < 0) return kNoMisfit;
        o[i] = observations_[i].time - tt;
    }
    // Relative to the first implied time: epoch seconds squared would lose the milliseconds.
    const double base = o[0];
    double sum = 0.0;
    for (std::size_t i = 0; i < n; ++i) sum += o[i] - base;
    const double mean = base + sum / static_cast<double>(n);
    double misfit = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = observations_[i].weight, r = o[i] - mean;
        misfit += w * w * r * r;
    }
    if (originTime) *originTime = mean;
    return misfit;
}

void Locator::GridStart(double& lat, double& lon, double depth, const LocationProgress& progress) const {
    const int latCount = static_cast<int>(180.0 / kGridStep) + 1;
    const int lonCount = static_cast<int>(360.0 / kGridStep) + 1;
    double best = 1e20;
    int reported = -1;
    for (int i = 0; i < latCount; ++i) {
        const double gridLat = -90.0 + i * kGridStep;
        for (int j = 0; j < lonCount; ++j) {
            const double gridLon = -180.0 + j * kGridStep;
            const double f = Misfit(gridLat, gridLon, depth);
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

double Locator::DepthScan(double lat, double lon, double* misfit) const {
    double bestDepth = 0.0, best = Misfit(lat, lon, 0.0);
    for (int d = 1; d < kScanDepths; ++d) {
        const double f = Misfit(lat, lon, d);
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
    }
}

double Locator::Rms() const {
    double sum = 0.0;
    for (const Observation& o : observations_) sum += o.residual * o.residual;
    return observations_.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(observations_.size()));
}

LocationResult Locator::LocateDescent(const LocationStart& start, const LocationProgress& progress) {
    if (observations_.empty()) throw ZelError(kTooFewPhases);
    LocationResult result;
    // The start point is brought into range like every candidate, so a latitude of 95 is -85 from
    // the outset and the line search compares candidates with a point that exists.
    Point current{FoldLatitude(start.lat), WrapLongitude(start.lon),
                  start.fixedDepth ? start.depth : ClampDepth(start.depth)};
    if (start.fixedCoordinates) {
        result.misfit = Misfit(current.lat, current.lon, current.depth);
        StoreResiduals(current.lat, current.lon, current.depth, start.originTime);
        result.lat = current.lat;
        result.lon = current.lon;
        result.depth = current.depth;
        result.originTime = start.originTime;
        result.rms = Rms();
        return result;
    }
    if (start.gridSearch) GridStart(current.lat, current.lon, current.depth, progress);

    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        result.iterations = iteration + 1;
        const double f0 = Misfit(current.lat, current.lon, current.depth);
        const double gLat = CentralSlope(Misfit(current.lat - kAngleStep, current.lon, current.depth),
                                         Misfit(current.lat + kAngleStep, current.lon, current.depth), kAngleStep);
        const double gLon = CentralSlope(Misfit(current.lat, current.lon - kAngleStep, current.depth),
                                         Misfit(current.lat, current.lon + kAngleStep, current.depth), kAngleStep);
        const double gDepth =
            start.fixedDepth ? 0.0
                             : CentralSlope(Misfit(current.lat, current.lon, current.depth - kDepthStep),
                                            Misfit(current.lat, current.lon, current.depth + kDepthStep), kDepthStep);
        const double norm = std::sqrt(gLat * gLat + gLon * gLon + gDepth * gDepth);
        if (norm == 0.0 || !std::isfinite(norm)) break;

        // Halve the step until the candidate is no worse; when none is, stay where we are.
        Point candidate = current;
        double f = kNoMisfit;
        for (double s = kFirstStep; s >= kSmallestStep; s /= 2.0) {
            candidate = Normalised({current.lat - s * gLat / norm, current.lon - s * gLon / norm,
                                    current.depth - s * gDepth / norm});
            if (start.fixedDepth) candidate.depth = current.depth;
            f = Misfit(candidate.lat, candidate.lon, candidate.depth);
            if (f <= f0) break;
        }
        if (f > f0) {
            candidate = current;
            f = f0;
        }
        if (!start.fixedDepth) {
            double scanned = 0.0;
            const double depth = DepthScan(candidate.lat, candidate.lon, &scanned);
            if (scanned < f) candidate.depth = ClampDepth(depth);
        }
        const bool settled = Settled(candidate, current);
        current = candidate;
        if (settled) break;
    }
    if (!start.fixedDepth) current.depth = ClampDepth(DepthScan(current.lat, current.lon, nullptr));

    double originTime = start.originTime;
    result.misfit = Misfit(current.lat, current.lon, current.depth, &originTime);
    result.ok = result.misfit < kNoMisfit;
    result.lat = current.lat;
    result.lon = current.lon;
    result.depth = current.depth;
    result.originTime = originTime;
    StoreResiduals(current.lat, current.lon, current.depth, originTime);
    result.rms = Rms();
    return result;
}

LocationResult Locator::LocateSvd(const LocationStart& start, const LocationProgress& progress) {
    const int n = static_cast<int>(observations_.size());
    if (n < 4) throw ZelError(kTooFewPhases);
    LocationResult result;
    Point current{FoldLatitude(start.lat), WrapLongitude(start.lon),
                  start.fixedDepth ? start.depth : ClampDepth(start.depth)};
    double originTime = start.originTime;
    if (start.fixedCoordinates) {
        result.lat = current.lat;
        result.lon = current.lon;
        result.depth = current.depth;
        result.originTime = originTime;
        result.misfit = Misfit(current.lat, current.lon, current.depth);
        StoreResiduals(current.lat, current.lon, current.depth, originTime);
        result.rms = Rms();
        return result;
    }
    if (start.gridSearch) GridStart(current.lat, current.lon, current.depth, progress);

    const int cols = start.fixedDepth ? 3 : 4;
    std::vector<double> a(static_cast<std::size_t>(n) * cols), b(n);
    Svd svd;
    bool failed = false;
    for (int iteration = 0; iteration < kMaxIterations && !failed; ++iteration) {
        result.iterations = iteration + 1;
        // A depth at the top of the tables is raised for the derivative, so both sides exist.
        const double derivativeDepth = current.depth <= 1.0 ? current.depth + 1.0 : current.depth;
        for (int i = 0; i < n && !failed; ++i) {
            const Observation& o = observations_[i];
            const double tt = TravelTime(o, current.lat, current.lon, current.depth);
            const double latBelow = TravelTime(o, current.lat - kAngleStep, current.lon, current.depth);
            const double latAbove = TravelTime(o, current.lat + kAngleStep, current.lon, current.depth);
            const double lonBelow = TravelTime(o, current.lat, current.lon - kAngleStep, current.depth);
            const double lonAbove = TravelTime(o, current.lat, current.lon + kAngleStep, current.depth);
            if (tt < 0 || latBelow < 0 || latAbove < 0 || lonBelow < 0 || lonAbove < 0) {
                failed = true;
                break;
            }
            double* row = &a[static_cast<std::size_t>(i) * cols];
            row[0] = 1.0;
            row[1] = (latAbove - latBelow) / (2.0 * kAngleStep);
            row[2] = (lonAbove - lonBelow) / (2.0 * kAngleStep);
            if (cols == 4) {
                const double above = TravelTime(o, current.lat, current.lon, derivativeDepth + kDepthStep);
                const double below = TravelTime(o, current.lat, current.lon, derivativeDepth - kDepthStep);
                if (above < 0 || below < 0) {
                    failed = true;
                    break;
                }
                row[3] = (above - below) / (2.0 * kDepthStep);
            }
            b[i] = o.time - tt - originTime;
        }
        if (failed || !Decompose(a, n, cols, svd)) {
            failed = true;
            break;
        }
        const std::vector<double> dx = BackSubstitute(svd, b);
        originTime += dx[0];
        const Point next = Normalised({current.lat + dx[1], current.lon + dx[2],
                                       cols == 4 ? current.depth + dx[3] : current.depth});
        current = {next.lat, next.lon, cols == 4 ? next.depth : current.depth};
        if (std::fabs(dx[0]) < kTimeSettled && std::fabs(dx[1]) < kAngleSettled && std::fabs(dx[2]) < kAngleSettled &&
            (cols == 3 || std::fabs(dx[3]) < kDepthSettled))
            break;
    }
    result.lat = current.lat;
    result.lon = current.lon;
    result.depth = current.depth;
    result.originTime = originTime;
    result.misfit = Misfit(current.lat, current.lon, current.depth);
    if (failed) {
        result.ok = false;
        result.rms = -1.0;
        return result;
    }
    StoreResiduals(current.lat, current.lon, current.depth, originTime);
    result.rms = Rms();

    // Covariance of the unknowns from the last decomposition: C = V diag(1/w^2) V^T.
    auto covariance = [&svd](int j, int k) {
        double sum = 0.0;
        for (int i = 0; i < svd.cols; ++i)
            if (svd.w[i] > 0) sum += svd.V(j, i) * svd.V(k, i) / (svd.w[i] * svd.w[i]);
        return sum;
    };
    result.ellipse = EllipseFromCovariance(covariance(1, 1), covariance(1, 2), covariance(2, 2), current.lat,
                                           result.rms, n);
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
        p.distance = static_cast<float>(d->distance);
        p.azimuth = static_cast<float>(d->azimuth);
        p.hasAzimuth = 1;
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

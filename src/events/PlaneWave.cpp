#include "events/PlaneWave.h"

#include <cmath>

#include "data/StationModel.h"
#include "events/DistAz.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

double Det3(const double m[3][3]) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

}  // namespace

std::optional<PlaneWaveFit> FitPlaneWave(const std::vector<PlaneWavePoint>& points) {
    const int n = static_cast<int>(points.size());
    if (n < 3) return std::nullopt;
    const double w = 1.0 / n;
    // Times relative to the first onset keep the sums well conditioned for epoch seconds.
    const double t0 = points.front().time;
    std::vector<double> u(n), v(n), t(n);
    double su = 0, sv = 0, st = 0, suu = 0, svv = 0, suv = 0, sut = 0, svt = 0;
    for (int i = 0; i < n; ++i) {
        u[i] = points[i].distance * std::sin(points[i].azimuth * kRadiansPerDegree);
        v[i] = points[i].distance * std::cos(points[i].azimuth * kRadiansPerDegree);
        t[i] = points[i].time - t0;
        su += w * u[i];
        sv += w * v[i];
        st += w * t[i];
        suu += w * u[i] * u[i];
        svv += w * v[i] * v[i];
        suv += w * u[i] * v[i];
        sut += w * u[i] * t[i];
        svt += w * v[i] * t[i];
    }
    // Normal equations for (su, sv, c) of t = c - su*u - sv*v, solved by Cramer's rule.
    const double a[3][3] = {{suu, suv, -su}, {suv, svv, -sv}, {-su, -sv, w * n}};
    const double b[3] = {-sut, -svt, st};
    const double det = Det3(a);
    const double scale = (suu + svv) * (suu + svv);
    if (!(std::fabs(det) > 1e-12 * scale) || scale == 0) return std::nullopt;
    double solution[3];
    for (int k = 0; k < 3; ++k) {
        double m[3][3];
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) m[r][c] = c == k ? b[r] : a[r][c];
        solution[k] = Det3(m) / det;
    }
    const double slowU = solution[0], slowV = solution[1], c = solution[2];
    const double slowness = std::hypot(slowU, slowV);
    if (!(slowness > 0) || !std::isfinite(slowness)) return std::nullopt;

    PlaneWaveFit fit;
    fit.count = n;
    fit.slowness = slowness;
    fit.velocity = kKmPerDegreeOfArc / slowness;
    fit.azimuth = NormalizeAzimuth(std::atan2(slowU, slowV) / kRadiansPerDegree);
    const double spread = (suu - su * su) + (svv - sv * sv);
    if (n > 3 && spread > 0) {
        double sum = 0;
        for (int i = 0; i < n; ++i) {
            const double r = c - t[i] - slowU * u[i] - slowV * v[i];
            sum += w * r * r;
        }
        fit.rms = std::sqrt(sum / (n - 3));
    }
    return fit;
}

std::vector<PlaneWavePoint> PlaneWavePoints(const ZELPhases& phases, const std::vector<Station>& stations,
                                            int referenceStation) {
    std::vector<PlaneWavePoint> points;
    if (referenceStation < 0 || referenceStation >= static_cast<int>(stations.size())) return points;
    const Station& reference = stations[referenceStation];
    for (int i = 0; i < phases.Count(); ++i) {
        const SEISMIC_PHASE& p = *phases.GetAt(i);
        if (p.phaseIndex != 0 || !p.included) continue;
        if (p.stationIndex < 0 || p.stationIndex >= static_cast<int>(stations.size())) continue;
        if (p.channelIndex < 0 || p.channelIndex >= kSlotsPerStation) continue;
        const ChannelSlot& slot = stations[p.stationIndex].slots[p.channelIndex];
        const auto d = DistAz(slot.lat, slot.lon, reference.lat, reference.lon);
        if (!d) continue;
        points.push_back({p.time, d->distance, d->azimuth});
    }
    return points;
}

int ApplyPlaneWave(ZELPhases& phases, int referenceStation, const PlaneWaveFit& fit) {
    int changed = 0;
    for (int i = 0; i < phases.Count(); ++i) {
        SEISMIC_PHASE& p = *phases.GetAt(i);
        if (p.phaseIndex != 0 || !p.included || p.stationIndex != referenceStation) continue;
        p.hasAzimuth = 1;
        p.azimuth = static_cast<float>(fit.azimuth);
        p.hasSlowness = 1;
        p.slowness = static_cast<float>(fit.slowness);
        ++changed;
    }
    return changed;
}

}  // namespace zel

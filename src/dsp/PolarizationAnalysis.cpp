#include "dsp/PolarizationAnalysis.h"

#include <algorithm>
#include <cmath>

#include "dsp/FunctionsPolarization.h"

namespace zel {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegrees = 180.0 / kPi;

// atan2(-east, -north) in degrees 0 .. 360: the direction opposite to the motion vector.
double OppositeAzimuth(double north, double east) {
    double a = std::atan2(-east, -north) * kDegrees;
    if (a < 0) a += 360.0;
    if (a >= 360.0) a -= 360.0;
    return a;
}

}  // namespace

PolarizationResult PolarizationAnalysis(std::span<const double> z, std::span<const double> x,
                                        std::span<const double> y) {
    PolarizationResult r;
    const std::size_t n = std::min({z.size(), x.size(), y.size()});
    if (n < 3) return r;
    const std::span<const double> comp[3] = {z, x, y};
    double mean[3] = {0, 0, 0};
    for (int c = 0; c < 3; ++c) {
        for (std::size_t i = 0; i < n; ++i) mean[c] += comp[c][i];
        mean[c] /= static_cast<double>(n);
    }
    Matrix3 cov{};
    for (std::size_t i = 0; i < n; ++i) {
        const double d[3] = {z[i] - mean[0], x[i] - mean[1], y[i] - mean[2]};
        for (int a = 0; a < 3; ++a)
            for (int b = a; b < 3; ++b) cov[a][b] += d[a] * d[b];
    }
    const double trace = cov[0][0] + cov[1][1] + cov[2][2];
    if (!(trace > 0) || !std::isfinite(trace)) return r;  // no motion: nothing to say
    // Scaled to unit trace: the rotations stop at an absolute tolerance, which must not depend on
    // whether the samples are counts or metres. Directions and eigenvalue ratios do not change.
    for (int a = 0; a < 3; ++a)
        for (int b = a; b < 3; ++b) cov[b][a] = cov[a][b] /= trace;

    // Horizontal principal axis of the 2x2 (X, Y) block, turned to go with upward motion.
    const double theta = 0.5 * std::atan2(2 * cov[1][2], cov[1][1] - cov[2][2]);
    double hx = std::cos(theta), hy = std::sin(theta);
    if (cov[0][1] * hx + cov[0][2] * hy < 0) {
        hx = -hx;
        hy = -hy;
    }
    r.horizontalAzimuth = OppositeAzimuth(hx, hy);

    const Eigen3 e = JacobiEigen(cov);
    const double l1 = std::max(e.values[0], 0.0);
    const double l2 = std::max(e.values[1], 0.0);
    const double l3 = std::max(e.values[2], 0.0);
    double vz = e.vectors[0][0], vx = e.vectors[1][0], vy = e.vectors[2][0];
    if (vz < 0) {
        vz = -vz;
        vx = -vx;
        vy = -vy;
    }
    r.azimuth = OppositeAzimuth(vx, vy);
    r.incidence = std::acos(std::min(1.0, vz)) * kDegrees;
    r.planarity = 1.0 - 2.0 * l3 / (l1 + l2);
    r.rectilinearity = 1.0 - (l2 + l3) / (2.0 * l1);
    r.defined = true;
    return r;
}

}  // namespace zel

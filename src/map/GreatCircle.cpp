#include "map/GreatCircle.h"

#include <algorithm>
#include <cmath>

#include "events/DistAz.h"
#include "events/Locator.h"
#include "map/MapView.h"

namespace zel {
namespace {

constexpr double kRad = kDistAzRadiansPerDegree;
// Where the geocentric conversion leaves tan() for its linear form near the poles.
constexpr double kPolarBranch = 0.05;
constexpr double kPolarOffset = 0.01063193;

// Geographic to geocentric latitude, radians, as the distance computation does it.
double Geocentric(double phi) {
    if (M_PI / 2 - std::fabs(phi) >= kPolarBranch) return std::atan(kGeocentricFactor * std::tan(phi));
    return phi / kGeocentricFactor + (phi < 0 ? kPolarOffset : -kPolarOffset);
}

double Geographic(double psi) {
    const double phi = std::atan(std::tan(psi) / kGeocentricFactor);
    if (M_PI / 2 - std::fabs(phi) >= kPolarBranch) return phi;
    const double polar = (psi + (psi < 0 ? -kPolarOffset : kPolarOffset)) * kGeocentricFactor;
    return std::clamp(polar, -M_PI / 2, M_PI / 2);
}

}  // namespace

GeoPoint PointAtDistance(double lat, double lon, double distance, double azimuth) {
    const double psi = Geocentric(lat * kRad);
    const double lambda = lon * kRad, delta = distance * kRad, alpha = azimuth * kRad;
    const double sinPsi2 =
        std::sin(psi) * std::cos(delta) + std::cos(psi) * std::sin(delta) * std::cos(alpha);
    const double psi2 = std::asin(std::clamp(sinPsi2, -1.0, 1.0));
    const double lambda2 = lambda + std::atan2(std::sin(alpha) * std::sin(delta) * std::cos(psi),
                                               std::cos(delta) - std::sin(psi) * sinPsi2);
    return {Geographic(psi2) / kRad, NormalizeLongitude(lambda2 / kRad)};
}

std::vector<GeoPoint> AzimuthLine(double lat, double lon, double azimuth, double step) {
    std::vector<GeoPoint> points;
    if (!(step > 0.0)) return points;
    // Short of 180 itself, where every azimuth meets the same antipode.
    const int count = static_cast<int>(std::floor(180.0 / step - 1e-9));
    points.reserve(count);
    for (int i = 1; i <= count; ++i) points.push_back(PointAtDistance(lat, lon, i * step, azimuth));
    return points;
}

std::vector<GeoPoint> DistanceCircle(double lat, double lon, double radius) {
    std::vector<GeoPoint> points;
    points.reserve(361);
    for (int azimuth = 0; azimuth <= 360; ++azimuth)
        points.push_back(PointAtDistance(lat, lon, radius, azimuth));
    return points;
}

std::vector<GeoPoint> EllipseOutline(double lat, double lon, double majorKm, double minorKm, double direction) {
    std::vector<GeoPoint> points;
    points.reserve(73);
    for (int step = 0; step <= 72; ++step) {
        const double azimuth = step * 5.0;
        const double theta = (azimuth - direction) * kRad;
        // Radius of the ellipse in the direction theta from its major axis.
        const double r = majorKm * minorKm /
                         std::max(std::hypot(minorKm * std::cos(theta), majorKm * std::sin(theta)), 1e-12);
        // The locator gives the axes in its own kilometres per degree.
        points.push_back(PointAtDistance(lat, lon, r / kEllipseKmPerDegree, azimuth));
    }
    return points;
}

}  // namespace zel

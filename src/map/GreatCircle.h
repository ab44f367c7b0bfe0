#pragma once
// Points along great circles on the same geocentric sphere the distances are measured on: the
// azimuth lines of picks and the distance circles around stations.

#include <vector>

namespace zel {

struct GeoPoint {
    double lat = 0.0;
    double lon = 0.0;
};

// The point `distance` degrees from (lat, lon) in the direction `azimuth` (clockwise from north);
// DistAz from the start to it gives back the distance and the azimuth.
GeoPoint PointAtDistance(double lat, double lon, double distance, double azimuth);

// An azimuth line: points every `step` degrees of distance from the start out to 180° (the start
// itself excluded), 7199 of them at the usual 0.025°.
inline constexpr double kAzimuthLineStep = 0.025;
std::vector<GeoPoint> AzimuthLine(double lat, double lon, double azimuth, double step = kAzimuthLineStep);

// A circle of `radius` degrees around a point, traced in 360 steps of azimuth (closed: 361 points).
std::vector<GeoPoint> DistanceCircle(double lat, double lon, double radius);

// An error ellipse around an epicentre: semi-axes in kilometres, the major one `direction` degrees
// clockwise from north; 73 points, closed.
std::vector<GeoPoint> EllipseOutline(double lat, double lon, double majorKm, double minorKm, double direction);

}  // namespace zel

#pragma once
// The part of the world the map shows: a latitude range and a longitude range that may cross the
// 180° meridian (then the minimum is greater than the maximum and the width tells the extent), and
// the zoom and shift steps of the map window. Longitudes are kept in -180 ... 180.

#include <vector>

#include "map/GreatCircle.h"

namespace zel {

struct MapView {
    double latMin = -90.0;
    double latMax = 90.0;
    double lonMin = -180.0;
    double lonMax = 180.0;
    double width = 360.0;  // degrees of longitude from lonMin eastward to lonMax

    double height() const { return latMax - latMin; }
    bool wholeWorld() const { return width >= 360.0; }
    bool operator==(const MapView&) const = default;
};

inline constexpr double kMapZoomFactor = 1.5;

// A longitude brought into -180 ... 180 (180 stays 180, 540 becomes 180, 360 becomes 0).
double NormalizeLongitude(double lon);

// About the centre: half-width and half-height divided (in) or multiplied (out) by 1.5; the width
// never exceeds 360 and latitudes stay in -90 ... 90.
void ZoomIn(MapView& view);
void ZoomOut(MapView& view);

// By half the width or height. East or west landing on 180 ... 180 (the same meridian twice) goes
// back to -180 ... 180; north and south stop at the pole keeping the height.
void ShiftEast(MapView& view);
void ShiftWest(MapView& view);
void ShiftNorth(MapView& view);
void ShiftSouth(MapView& view);

// The view becomes the box from west to east (eastward, `width` degrees) and between the two
// latitudes (sorted, clamped to -90 ... 90). A box without width or height leaves the view alone.
void ZoomToBox(MapView& view, double west, double width, double lat1, double lat2);

// By `factor` (below 1 zooms in), the point (lat, lon) staying where it is on the screen: the wheel
// zooms about the pointer. The width never exceeds 360 (then the whole world) nor the height 180,
// and the view stays between the poles.
void ZoomAbout(MapView& view, double lat, double lon, double factor);

// Moves the view `north` and `east` degrees (a drag of the map); latitudes stop at the poles
// keeping the height.
void Pan(MapView& view, double north, double east);

// The smallest view that shows every point with a margin, at least `minimumDegrees` tall, shaped
// for a map area of the given aspect (width / height in pixels) so that shapes near its centre keep
// their proportions: a degree of longitude drawn cos(latitude) as wide as one of latitude. Points
// either side of the 180° meridian are kept together. No points: the whole world.
MapView FitView(const std::vector<GeoPoint>& points, double areaAspect, double minimumDegrees = 1.0);

}  // namespace zel

#pragma once
// The part of the world the map shows: a latitude range and a longitude range that may cross the
// 180° meridian (then the minimum is greater than the maximum and the width tells the extent), and
// the zoom and shift steps of the map window. Longitudes are kept in -180 ... 180.

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

}  // namespace zel

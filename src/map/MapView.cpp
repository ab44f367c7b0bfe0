#include "map/MapView.h"

#include <algorithm>
#include <cmath>

namespace zel {
namespace {

// Both ends on the 180° meridian is the whole world as the reset view shows it.
void ResetLongitudesAtDateLine(MapView& view) {
    if (view.lonMin == view.lonMax && std::fabs(view.lonMin) == 180.0) {
        view.lonMin = -180.0;
        view.lonMax = 180.0;
        view.width = 360.0;
    }
}

void SetLongitudes(MapView& view, double centre, double halfWidth) {
    view.lonMin = NormalizeLongitude(centre - halfWidth);
    view.lonMax = NormalizeLongitude(centre + halfWidth);
    view.width = 2.0 * halfWidth;
    ResetLongitudesAtDateLine(view);
}

double CentreLongitude(const MapView& view) { return view.lonMin + view.width / 2.0; }

void ScaleAboutCentre(MapView& view, double factor) {
    const double halfWidth = std::min(view.width / 2.0 * factor, 180.0);
    SetLongitudes(view, CentreLongitude(view), halfWidth);
    const double latCentre = (view.latMin + view.latMax) / 2.0;
    const double halfHeight = view.height() / 2.0 * factor;
    view.latMin = std::max(latCentre - halfHeight, -90.0);
    view.latMax = std::min(latCentre + halfHeight, 90.0);
}

void ShiftLongitudes(MapView& view, double by) {
    view.lonMin = NormalizeLongitude(view.lonMin + by);
    view.lonMax = NormalizeLongitude(view.lonMax + by);
    ResetLongitudesAtDateLine(view);
}

}  // namespace

double NormalizeLongitude(double lon) {
    if (!std::isfinite(lon)) return lon;
    if (lon > 180.0 || lon < -180.0) {
        lon = std::fmod(lon, 360.0);
        if (lon > 180.0) lon -= 360.0;
        if (lon < -180.0) lon += 360.0;
        if (lon == -180.0) lon = 180.0;  // came from above: 540 is 180, not -180
    }
    return lon + 0.0;  // never -0
}

void ZoomIn(MapView& view) { ScaleAboutCentre(view, 1.0 / kMapZoomFactor); }
void ZoomOut(MapView& view) { ScaleAboutCentre(view, kMapZoomFactor); }

void ShiftEast(MapView& view) { ShiftLongitudes(view, view.width / 2.0); }
void ShiftWest(MapView& view) { ShiftLongitudes(view, -view.width / 2.0); }

void ShiftNorth(MapView& view) {
    const double height = view.height();
    view.latMin += height / 2.0;
    view.latMax += height / 2.0;
    if (view.latMax > 90.0) {
        view.latMax = 90.0;
        view.latMin = 90.0 - height;
    }
    view.latMin = std::max(view.latMin, -90.0);
}

void ShiftSouth(MapView& view) {
    const double height = view.height();
    view.latMin -= height / 2.0;
    view.latMax -= height / 2.0;
    if (view.latMin < -90.0) {
        view.latMin = -90.0;
        view.latMax = -90.0 + height;
    }
    view.latMax = std::min(view.latMax, 90.0);
}

void ZoomToBox(MapView& view, double west, double width, double lat1, double lat2) {
    const double south = std::clamp(std::min(lat1, lat2), -90.0, 90.0);
    const double north = std::clamp(std::max(lat1, lat2), -90.0, 90.0);
    width = std::min(width, 360.0);
    if (!(width > 0.0) || !(north > south)) return;
    view.lonMin = NormalizeLongitude(west);
    view.lonMax = NormalizeLongitude(west + width);
    view.width = width;
    view.latMin = south;
    view.latMax = north;
}

void ZoomAbout(MapView& view, double lat, double lon, double factor) {
    if (!(factor > 0.0) || view.height() <= 0.0 || view.width <= 0.0) return;
    double east = std::fmod(NormalizeLongitude(lon) - view.lonMin + 720.0, 360.0);
    // The meridian of the right edge is also that of the left one in a whole-world view.
    if (east == 0.0 && NormalizeLongitude(lon) == view.lonMax && view.width > 0.0) east = view.width;
    const double fx = std::clamp(east / view.width, 0.0, 1.0);
    const double fy = std::clamp((lat - view.latMin) / view.height(), 0.0, 1.0);
    const double width = std::min(view.width * factor, 360.0);
    const double height = std::min(view.height() * factor, 180.0);
    if (width >= 360.0) {
        view.lonMin = -180.0;
        view.lonMax = 180.0;
        view.width = 360.0;
    } else {
        view.lonMin = NormalizeLongitude(view.lonMin + east - fx * width);
        view.lonMax = NormalizeLongitude(view.lonMin + width);
        view.width = width;
    }
    view.latMin = std::clamp(lat - fy * height, -90.0, 90.0 - height);
    view.latMax = view.latMin + height;
}

void Pan(MapView& view, double north, double east) {
    if (!view.wholeWorld()) ShiftLongitudes(view, east);
    const double height = view.height();
    view.latMin = std::clamp(view.latMin + north, -90.0, 90.0 - height);
    view.latMax = view.latMin + height;
}

MapView FitView(const std::vector<GeoPoint>& points, double areaAspect, double minimumDegrees) {
    if (points.empty() || !(areaAspect > 0.0)) return MapView{};
    // Longitudes eastward from the point after the widest gap between neighbours: the box that
    // leaves that gap out is the narrowest one holding them all.
    std::vector<double> lons;
    double south = 90.0, north = -90.0;
    for (const GeoPoint& p : points) {
        lons.push_back(std::fmod(NormalizeLongitude(p.lon) + 360.0, 360.0));
        south = std::min(south, p.lat);
        north = std::max(north, p.lat);
    }
    std::sort(lons.begin(), lons.end());
    double west = lons.front(), span = lons.back() - lons.front();
    for (std::size_t i = 1; i < lons.size(); ++i)
        if (360.0 - (lons[i] - lons[i - 1]) < span) {
            span = 360.0 - (lons[i] - lons[i - 1]);
            west = lons[i];
        }
    constexpr double kMargin = 0.15;  // of the extent on every side, so no symbol sits on the frame
    const double midLat = (south + north) / 2.0;
    const double shrink = std::max(std::cos(midLat * 3.14159265358979323846 / 180.0), 0.1);
    double height = std::max((north - south) * (1.0 + 2.0 * kMargin), minimumDegrees);
    double width = span * (1.0 + 2.0 * kMargin);
    // Widen whichever side is short of the area's shape.
    if (width * shrink / height < areaAspect)
        width = height * areaAspect / shrink;
    else
        height = width * shrink / areaAspect;
    MapView view;
    height = std::min(height, 180.0);
    view.latMin = std::clamp(midLat - height / 2.0, -90.0, 90.0 - height);
    view.latMax = view.latMin + height;
    if (width >= 360.0) return MapView{view.latMin, view.latMax, -180.0, 180.0, 360.0};
    view.lonMin = NormalizeLongitude(west + span / 2.0 - width / 2.0);
    view.lonMax = NormalizeLongitude(view.lonMin + width);
    view.width = width;
    return view;
}

}  // namespace zel

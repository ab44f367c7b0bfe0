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

}  // namespace zel

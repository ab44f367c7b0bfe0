#pragma once
// Equirectangular projection of a map view onto the map area of the window, and back.

#include "map/MapView.h"

namespace zel {

// The map area inside the window, pixels; right and bottom are the far edges.
struct MapArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The map area of a window: a margin of `marginX` at left and right and `marginY` at top and bottom.
MapArea MapAreaOf(int windowWidth, int windowHeight, int marginX, int marginY);

class MapProjection {
  public:
    MapProjection(const MapView& view, const MapArea& area) : view_(view), area_(area) {}

    const MapView& view() const { return view_; }
    const MapArea& area() const { return area_; }

    // Degrees eastward from the view's minimum longitude to lon, in [0, 360). A longitude equal to
    // the minimum is 0; in a whole-world view the meridian the view starts at is 0 under its own
    // name and 360 under the other (the -180 ... 180 view puts -180 at the left and 180 at the right).
    double eastOfMin(double lon) const;

    // Pixel column of a longitude (rounded) and its exact value.
    int x(double lon) const;
    double xExact(double lon) const;
    // Pixel row of a latitude, not rounded.
    double y(double lat) const;

    // Inside the view: latitude in [latMin, latMax], longitude in the (possibly wrapped) range.
    bool visible(double lat, double lon) const;
    bool longitudeVisible(double lon) const;

    // The point under a pixel; meaningful inside the map area.
    double lonAt(double x) const;
    double latAt(double y) const;

  private:
    MapView view_;
    MapArea area_;
};

}  // namespace zel

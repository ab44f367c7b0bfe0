#include "map/MapProjection.h"

#include <cmath>

namespace zel {

MapArea MapAreaOf(int windowWidth, int windowHeight, int marginX, int marginY) {
    return {marginX, marginY, windowWidth - marginX, windowHeight - marginY};
}

double MapProjection::eastOfMin(double lon) const {
    double delta = std::fmod(lon - view_.lonMin, 360.0);
    if (delta < 0.0) delta += 360.0;
    if (delta >= 360.0) delta = 0.0;
    // -180 and 180 are one meridian but two ends of a whole-world view: the one that is not the
    // view's own minimum lies at the far end.
    if (delta == 0.0 && lon != view_.lonMin && view_.wholeWorld()) delta = 360.0;
    return delta;
}

double MapProjection::xExact(double lon) const {
    return area_.left + area_.width() * eastOfMin(lon) / view_.width;
}

int MapProjection::x(double lon) const { return static_cast<int>(std::floor(xExact(lon) + 0.5)); }

double MapProjection::y(double lat) const {
    return area_.bottom - (lat - view_.latMin) * area_.height() / view_.height();
}

bool MapProjection::longitudeVisible(double lon) const {
    if (view_.wholeWorld()) return lon >= -180.0 && lon <= 180.0;
    return eastOfMin(lon) <= view_.width;
}

bool MapProjection::visible(double lat, double lon) const {
    return lat >= view_.latMin && lat <= view_.latMax && longitudeVisible(lon);
}

double MapProjection::lonAt(double x) const {
    return NormalizeLongitude(view_.lonMin + (x - area_.left) * view_.width / area_.width());
}

double MapProjection::latAt(double y) const {
    return view_.latMin + (area_.bottom - y) * view_.height() / area_.height();
}

}  // namespace zel

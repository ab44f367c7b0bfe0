#include "map/MapStatusText.h"

#include <cmath>
#include <cstdio>

namespace zel {

std::string MapCoordinateText(double lat, double lon) {
    char text[96];
    std::snprintf(text, sizeof text, "%.3f%s %.3f%s", std::fabs(lat), lat > 0 ? "N" : "S", std::fabs(lon),
                  lon > 0 ? "E" : "W");
    return text;
}

std::string MapMeasurementText(const DistAzResult& result) {
    char text[128];
    std::snprintf(text, sizeof text, "Аз.=%s° Обр.аз.=%s° Рас.=%.2f°",
                  FormatAzimuth(result.azimuth, 2).c_str(), FormatAzimuth(result.backAzimuth, 2).c_str(),
                  result.distance);
    return text;
}

}  // namespace zel

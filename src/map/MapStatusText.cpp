#include "map/MapStatusText.h"

#include <cmath>
#include <cstdio>

#include "base/FormatText.h"
#include "base/UserText.h"

namespace zel {

std::string MapCoordinateText(double lat, double lon) {
    char text[96];
    std::snprintf(text, sizeof text, "%.3f%s %.3f%s", std::fabs(lat), lat > 0 ? "N" : "S", std::fabs(lon),
                  lon > 0 ? "E" : "W");
    return text;
}

std::string MapMeasurementText(const DistAzResult& result) {
    return Tr("Аз.=%1° Обр.аз.=%2° Рас.=%3°")
        .arg(FormatAzimuth(result.azimuth, 2))
        .arg(FormatAzimuth(result.backAzimuth, 2))
        .arg(FormatText("%.2f", result.distance));
}

}  // namespace zel

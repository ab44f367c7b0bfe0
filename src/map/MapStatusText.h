#pragma once
// What the status bar says about the point under the pointer and about a distance measurement.

#include <string>

#include "events/DistAz.h"

namespace zel {

// "%.3f%s %.3f%s": absolute latitude with N (positive) or S, absolute longitude with E or W.
std::string MapCoordinateText(double lat, double lon);

// "Аз.=%.2f° Обр.аз.=%.2f° Рас.=%.2f°".
std::string MapMeasurementText(const DistAzResult& result);

}  // namespace zel

#pragma once
// What the status bar says about the point under the pointer and about a distance measurement.

#include <string>

#include "events/DistAz.h"

namespace zel {

// "%.3f%s %.3f%s": absolute latitude with N (positive) or S, absolute longitude with E or W.
std::string MapCoordinateText(double lat, double lon);

// "Аз.=%1° Обр.аз.=%2° Рас.=%3°" in the interface's language, each with two decimals.
std::string MapMeasurementText(const DistAzResult& result);

}  // namespace zel

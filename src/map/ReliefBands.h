#pragma once
// The relief pictures "map00.bmp" ... "map08.bmp": nine bands of 20° of latitude from north to
// south, each covering longitude -180 ... 180 at 12 pixels per degree. This works out which part
// of which band goes where on the map.

#include <string>
#include <vector>

#include "map/MapProjection.h"

namespace zel {

inline constexpr int kReliefBandCount = 9;
inline constexpr int kReliefPixelsPerDegree = 12;
inline constexpr int kReliefBandDegrees = 20;
inline constexpr int kReliefBandWidth = 360 * kReliefPixelsPerDegree;                  // 4320
inline constexpr int kReliefBandHeight = kReliefBandDegrees * kReliefPixelsPerDegree;  // 240

// "map%02d.bmp".
std::string ReliefBandFileName(int band);
// Northern edge of a band, degrees (band 0: 90).
double ReliefBandNorth(int band);

struct RectD {
    double x = 0, y = 0, width = 0, height = 0;
};

struct ReliefPiece {
    int band = 0;
    RectD source;  // pixels of the band picture
    RectD target;  // pixels of the window
};

// The stretches that fill the map area: one per overlapping band, two when the view crosses 180°.
std::vector<ReliefPiece> ReliefPieces(const MapProjection& projection);

}  // namespace zel

#pragma once
// Coastlines of the map file "map.pnt": 6-byte records of three signed 16-bit little-endian
// integers (code, latitude, longitude), angles in minutes of arc. A code of 1001 or more starts a
// new line at its point; a smaller code continues the line to it.

#include <cstdint>
#include <string>
#include <vector>

#include "map/MapProjection.h"

namespace zel {

inline constexpr std::int16_t kCoastlineStartCode = 1001;
inline constexpr int kCoastlineRecordSize = 6;

struct CoastPoint {
    std::int16_t code = 0;
    double lat = 0.0;  // degrees
    double lon = 0.0;

    bool startsLine() const { return code >= kCoastlineStartCode; }
};

// Decodes whole records (a trailing partial record is ignored).
std::vector<CoastPoint> DecodeCoastline(const std::vector<unsigned char>& bytes);
// A missing or unreadable file gives an empty list.
std::vector<CoastPoint> ReadCoastlineFile(const std::string& path);

// One record; angles rounded to whole minutes and clamped to the 16-bit range.
void AppendCoastRecord(std::vector<unsigned char>& bytes, std::int16_t code, double lat, double lon);

// An edge the source polygons have only because they are cut at the 180° meridian or closed over a
// pole: it runs along the ±180° meridian or touches a pole. Converted lines break there.
bool IsPolygonSeam(double lat1, double lon1, double lat2, double lon2);

struct PixelSegment {
    double x1, y1, x2, y2;
};

// The segments to draw: one is drawn only when its end point is visible, and never when its
// latitude or longitude jumps by more than 170° or it is longer than half the map width (a line
// crossing the 180° meridian or the seam of the view is broken there instead of crossing the map).
std::vector<PixelSegment> CoastlineSegments(const std::vector<CoastPoint>& points,
                                            const MapProjection& projection);

}  // namespace zel

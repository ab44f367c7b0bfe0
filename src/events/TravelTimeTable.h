#pragma once
// Travel-time tables: time in seconds over source depth (km) and epicentral distance (degrees),
// read from one curve file per phase, with a natural cubic spline along distance that stops at
// gaps (-1, where the phase does not exist), linear interpolation in depth, and the inverse
// searches built on it. Lookups allocate nothing: location calls them thousands of times.

#include <string>
#include <string_view>
#include <vector>

namespace zel {

inline constexpr float kNoTravelTime = -1.0f;
inline constexpr std::size_t kPhaseDataNameLength = 9;

struct PHASEDATA {
    std::string name;  // phase name, at most kPhaseDataNameLength characters
    int depthCount = 0;
    int distanceCount = 0;
    std::vector<float> depths;             // km, strictly ascending
    std::vector<float> distances;          // degrees, strictly ascending
    std::vector<float> times;              // depthCount rows of distanceCount seconds; -1 = gap
    std::vector<float> secondDerivatives;  // spline coefficients along distance, same shape
    bool loaded = false;

    float Time(int depthRow, int distanceColumn) const {
        return times[depthRow * distanceCount + distanceColumn];
    }
};

// Reads the text of a curve file: a title line; a line with the number of depths, the depths; a
// line with the number of distances, the distances; then the times depth by depth. '#' starts a
// comment. Counts stand alone on their lines; numbers may spread over any number of lines.
// On success the table holds the values and coefficients and is loaded; on failure it is left
// unchanged and `error` (if given) says why.
bool ParseCurveText(std::string_view text, PHASEDATA& table, std::string* error = nullptr);
// The same from a file; a missing or unreadable file is a failure.
bool ReadCurveFile(const std::string& path, PHASEDATA& table, std::string* error = nullptr);
void FreeTable(PHASEDATA& table);

// The file of a curve in a model directory. '\' and '/' both separate; a separator is added when
// the directory does not end with one. Empty when the curve name cannot be a plain file name
// (empty, "." or "..", or holding a separator), so a phase list cannot point outside the directory.
std::string CurveFilePath(std::string_view directory, std::string_view curveName);

// Seconds, or -1 when the table is not loaded, the point lies outside the table (the last
// distance and depth are inside) or the spline bracket touches a gap.
float TravelTime(const PHASEDATA& table, float depth, float distance);

// The smallest distance at which the travel time equals `time`, searched only where the curve
// exists at this depth; -1 when no distance fits.
float DistanceForTime(const PHASEDATA& table, float time, float depth);

// The smallest distance at which TravelTime(a) - TravelTime(b) equals `difference`, searched only
// where both curves exist; -1 when none fits or a table is not loaded.
float DistanceForDifference(const PHASEDATA& a, const PHASEDATA& b, float difference, float depth);

// The distance (from 200 equal steps inside the table) whose apparent slowness, in seconds per
// kilometre with 111 km to the degree, comes closest to `slowness`; 0 when nothing fits.
float DistanceForSlowness(const PHASEDATA& table, float slowness, float depth);

}  // namespace zel

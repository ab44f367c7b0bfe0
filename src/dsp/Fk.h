#pragma once
// The time-domain F-K analysis of an array: for every point (Px, Py) of a slowness grid the
// channels are shifted by the plane-wave delay of their station offsets, stacked into a beam
// over the marked interval, and the beam's energy is the point's power. The point of largest
// power gives the back azimuth and the slowness of the wave crossing the array.

#include <cstddef>
#include <optional>
#include <vector>

namespace zel {

// The slowness grid, s/km; shared by the computations of one run (the last used values are the
// next defaults).
struct FkGrid {
    double min = -0.5;
    double max = 0.5;
    int intervals = 200;
};

// One channel taking part: its transformed signal, where that buffer starts, its rate, its
// interval mark (either order) and its station's offsets from the array reference (km).
struct FkChannel {
    std::vector<float> samples;
    double start = 0.0;
    double sps = 0.0;
    double mark1 = 0.0;
    double mark2 = 0.0;
    double dnorth = 0.0;
    double deast = 0.0;
};

// One grid point: Px east, Py north (s/km), and its power (normalised after the search).
struct FKParam {
    float px = 0.0f;
    float py = 0.0f;
    double power = 0.0;
};

struct FkResult {
    std::vector<FKParam> points;  // Px outer, Py inner, both rising
    std::size_t best = 0;         // the first point of largest power
    double minPower = 0.0;        // of the normalised powers
    double maxPower = 0.0;
    double azimuth = 0.0;   // back azimuth of the best point, degrees 0..360
    double slowness = 0.0;  // s/km

    bool Empty() const { return points.empty(); }
};

// Delay of a station for a grid point: the time its samples are moved by when stacked.
inline double FkDelay(double px, double py, double dnorth, double deast) { return px * deast + py * dnorth; }

// Bin of a sample in n bins over a span of `length` seconds, nothing outside [0, length). Its
// time t is counted from the span's start, not as an epoch time, whose rounding error of a tenth
// of a microsecond is a large part of a bin; a millionth of a bin is spared on top, so that a
// sample lying on a bin edge is neither put one bin early nor lost before the span (which would
// leave one bin empty and count another twice).
inline std::optional<std::size_t> BinOf(double t, double length, std::size_t n) {
    const double position = static_cast<double>(n) * t / length + 1e-6;
    if (!(position >= 0) || position >= static_cast<double>(n)) return std::nullopt;
    return static_cast<std::size_t>(position);
}

// The beam length in samples: the marked span over all channels at the reference rate, rounded.
std::size_t FkBeamLength(const std::vector<FkChannel>& channels, double referenceSps);

// The grid search; the beam is as long as FkBeamLength says. An empty result when there is no
// channel, no marked span or no valid grid (intervals < 1, max <= min).
FkResult FkGridSearch(const std::vector<FkChannel>& channels, double referenceSps, const FkGrid& grid);

}  // namespace zel

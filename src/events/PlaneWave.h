#pragma once
// Azimuth and apparent slowness of a plane wave from P onsets at the stations of a group: a
// weighted least-squares fit of t = c - su*u - sv*v over the stations' plane coordinates, taken
// from the distance and azimuth of each station toward the reference station.

#include <optional>
#include <vector>

namespace zel {

class ZELPhases;
struct Station;

struct PlaneWavePoint {
    double time = 0.0;      // onset, epoch seconds
    double distance = 0.0;  // degrees, from the pick's channel to the reference station
    double azimuth = 0.0;   // degrees, at the channel toward the reference station
};

inline constexpr double kKmPerDegreeOfArc = 111.1953;

struct PlaneWaveFit {
    // Direction the wave travels, clockwise from north in [0, 360): the same sense as a pick's
    // `azimuth` elsewhere (epicentre toward station); the epicentre lies at azimuth + 180.
    double azimuth = 0.0;
    double slowness = 0.0;  // seconds per degree: the unit a pick's `slowness` has everywhere
    double velocity = 0.0;  // apparent velocity, km/s (kKmPerDegreeOfArc / slowness)
    // Weighted RMS of the time residuals, seconds; 0 with only 3 points or no spread of stations.
    double rms = 0.0;
    int count = 0;
};

// Needs at least 3 points; nullopt with fewer, or when the stations do not span a plane (all in
// one place or on one line) or the onsets are simultaneous (no direction).
std::optional<PlaneWaveFit> FitPlaneWave(const std::vector<PlaneWavePoint>& points);

// The points of the fit: every included pick of the first catalogue phase ("P"), from any
// station, placed by its channel's coordinates relative to the reference station's.
std::vector<PlaneWavePoint> PlaneWavePoints(const ZELPhases& phases, const std::vector<Station>& stations,
                                            int referenceStation);

// Gives every included "P" pick of the reference station the fit's azimuth and slowness.
// Returns how many picks took them.
int ApplyPlaneWave(ZELPhases& phases, int referenceStation, const PlaneWaveFit& fit);

}  // namespace zel

#pragma once
// Three-component covariance analysis of particle motion: back-azimuth, incidence, planarity and
// rectilinearity of the motion in a window of Z (up), X (north) and Y (east) samples. The window
// command of the waveform window and the formula functions rectilin, planar and azimuth share it.

#include <span>

namespace zel {

struct PolarizationResult {
    // False when the window has fewer than 3 samples or no motion at all (every component
    // constant): the other fields are then 0 and mean nothing.
    bool defined = false;
    double horizontalAzimuth = 0;  // from the two horizontals alone, degrees 0 .. 360
    double azimuth = 0;            // from the principal direction, degrees 0 .. 360
    double incidence = 0;          // angle of the principal direction from the vertical, degrees
    double planarity = 0;          // 1 - 2 l3 / (l1 + l2)
    double rectilinearity = 0;     // 1 - (l2 + l3) / (2 l1)
};

// Means removed, the 3x3 covariance (sums of products over count) is always decomposed, also when
// it is singular: motion along a line gives rectilinearity 1. The direction of motion is taken
// with its vertical part upward (for the horizontal azimuth: the horizontal axis turned to go
// with upward vertical motion), so a compressional P wave gives the back-azimuth, not its
// opposite. The spans must be equally long.
PolarizationResult PolarizationAnalysis(std::span<const double> z, std::span<const double> x,
                                        std::span<const double> y);

}  // namespace zel

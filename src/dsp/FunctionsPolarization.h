#pragma once
// Three-component polarization measures of the formula language (rectilin, planar, azimuth) and
// the symmetric 3x3 eigen solver they share with the polarization analysis.

#include <array>
#include <cstdint>

#include "dsp/SignalVector.h"

namespace zel {

using Matrix3 = std::array<std::array<double, 3>, 3>;

struct Eigen3 {
    std::array<double, 3> values;  // decreasing
    Matrix3 vectors;               // column k belongs to values[k]
};

// Cyclic Jacobi rotations on a symmetric matrix: at most 50 sweeps, done when the off-diagonal
// magnitudes sum to at most 1e-6; small elements are skipped in the first three sweeps and
// negligible ones cleared after the fourth. Sorted by decreasing eigenvalue.
Eigen3 JacobiEigen(Matrix3 a);

enum class PolarizationMeasure { Rectilinearity, Planarity, Azimuth };

// For every s from n to L - 1 (L the shortest count) the polarization analysis of the n samples
// s .. s+n-1 of z, x, y (zero beyond L) gives its rectilinearity, planarity or azimuth. Other
// samples, and windows the analysis leaves undefined (fewer than 3 samples, no motion), give 0;
// dx is z's. The intervals must agree and 1 <= n <= L, or a formula error is raised.
SignalVector Polarization(const SignalVector& z, const SignalVector& x, const SignalVector& y, std::int64_t n,
                          PolarizationMeasure measure);

}  // namespace zel

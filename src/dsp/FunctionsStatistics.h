#pragma once
// Reducing and fitting functions of the formula language: max, min, xMax, xMin, mean, sizeof,
// getdx, center, linreg, dpv.

#include <cstddef>

#include "dsp/SignalVector.h"

namespace zel {

// Index of the first largest (smallest) sample; a later equal sample does not replace it.
std::size_t IndexOfMax(const SignalVector& w);
std::size_t IndexOfMin(const SignalVector& w);

// Arithmetic mean, summed in double.
double Mean(const SignalVector& w);

// Least-squares line through (i * dx, w[i]), sampled like w. With nothing to fit a slope to (a
// single sample, dx 0) the line is flat at the mean.
SignalVector LinearFit(SignalVector w);

// n-bin histogram of the samples between lo and hi as fractions of the count: bin s counts
// lo + s * width <= x < lo + s * width + width, width = (hi - lo) / n.
SignalVector Histogram(const SignalVector& w, double lo, double hi, std::size_t n);

}  // namespace zel

#pragma once
// Data windows of the formula language: hanning and kaiser. Both pad the signal with zeros to N
// (the smallest of 2, 4, 8, ... not below its count) and lay the window over the padded length.

#include "dsp/SignalVector.h"

namespace zel {

constexpr double kDefaultKaiserBeta = 7.865;

// r[i] = 0.5 * w[i] * (1 - cos(2 pi i / (N - 1))) for i < count; padding 0.
SignalVector HannWindow(SignalVector w);

// r[i] = w[i] * I0(pi b sqrt(1 - (2c / N)^2)) / I0(pi b), c = i - N/2, for i < count; padding 0.
SignalVector KaiserWindow(SignalVector w, double beta);

// Modified Bessel function I0 by the polynomial approximations of Abramowitz and Stegun 9.8.1
// (|x| <= 3.75) and 9.8.2 (above), relative error below 2e-7.
double BesselI0(double x);

}  // namespace zel

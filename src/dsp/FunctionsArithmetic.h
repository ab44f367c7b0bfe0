#pragma once
// Element-wise mathematics and the sample-by-sample operations of the formula language:
// abs, sin, cos, tan, atan, exp, sqrt, log, log10, ceil, floor, revers, extract, integ, deriv,
// lderiv, rderiv, conv, smooth.

#include <cstdint>

#include "dsp/SignalVector.h"

namespace zel {

// Running trapezoidal integral: r[0] = 0, r[i] = r[i-1] + (w[i-1] + w[i]) * dx / 2.
SignalVector Integrate(SignalVector w);

// Three-point derivative: central differences inside, one-sided differences at the ends. A
// single sample, or an interval of 0, gives zeros.
SignalVector Derivative(SignalVector w);

// count - 1 first differences (w[k+1] - w[k]) / dx; a single sample (or dx 0) gives one 0.
SignalVector FirstDifferences(SignalVector w);

// `length` samples from the 1-based position `start`; positions outside w give 0.
SignalVector Extract(const SignalVector& w, std::int64_t start, std::size_t length);

// Linear convolution, count1 + count2 - 1 samples; dx of a if both intervals agree, else 1.
SignalVector Convolve(const SignalVector& a, const SignalVector& b);

// Moving average over 2n + 1 samples for n <= i < count - n - 1; the other samples stay as
// they are, and n = 0 or n > count leaves w as it is. A negative n is a formula error.
SignalVector Smooth(SignalVector w, std::int64_t n);

}  // namespace zel

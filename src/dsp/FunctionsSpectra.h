#pragma once
// Spectra and the trigonometric interpolation of the formula language: spectrum (fft), refft,
// imfft, spectrum2, dspectrum (dft), avspectrum, interpolate, spectrogram (dsp/Spectrogram.h).

#include <cstddef>
#include <cstdint>

#include "dsp/SignalVector.h"

namespace zel {

// The longest signal the power-of-two transform takes (after padding).
constexpr std::size_t kMaxFastTransform = 65536;

enum class SpectrumPart { Magnitude, Real, Imaginary };

// Pads w with zeros to N (a power of two), transforms with X_k = sum x_j exp(+2 pi i j k / N) in
// single precision and returns N/2 values, dx = 1 / (N * w.dx): |X_k| / trunc(count / 2) (1 for a
// single sample), or Re X_k, or Im X_k unscaled. More than 65536 samples is a formula error.
SignalVector FastSpectrum(const SignalVector& w, SpectrumPart part, const char* what = "spectrum");

// Exact-length transform of w padded to an even M: |X_k| / (M / 2), k < M / 2; dx = 1 / (M * w.dx).
SignalVector EvenSpectrum(const SignalVector& w);

// Direct transform by a rotating unit vector: count / 2 + 1 values, the last 0;
// |X_k| / (count / 2), dx = 1 / (count * w.dx).
SignalVector DirectSpectrum(const SignalVector& w);

// Mean of the spectra of the windows of `points` samples starting at 0, shift, 2 shift, ... while
// the start is below count - points. Bad sizes are formula errors.
SignalVector AverageSpectrum(const SignalVector& w, std::int64_t points, std::int64_t shift);

// Band-limited (DFT) interpolation to count * n samples, dx / n: zero-padding of the spectrum,
// the Nyquist term of an even count split between its two images. Every n-th output sample is
// an input sample again. n below 1 is a formula error.
SignalVector Interpolate(const SignalVector& w, std::int64_t n);

}  // namespace zel

#pragma once
// The time-frequency power of a signal: the one-sided power spectral density of overlapping
// segments, as scipy.signal.spectrogram(x, fs=1/dx, window='hann', nperseg=n, noverlap=m,
// detrend='constant', scaling='density', mode='psd') computes it. The formula function
// spectrogram() and the spectrogram window of the DSP workspace both use it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zel {

struct Spectrogram {
    std::size_t segments = 0;   // segments of n samples starting at 0, n - m, 2 (n - m), ...
    std::size_t bins = 0;       // n / 2 + 1: frequencies 0, df, ..., (bins - 1) df
    double df = 0.0;            // Hz, 1 / (n dx)
    double step = 0.0;          // s between segment starts, (n - m) dx
    std::vector<double> times;  // s: the centre of each segment from the signal start, n dx / 2 + s step
    std::vector<double> power;  // segment by segment: power[s * bins + k], in x units squared per Hz

    double at(std::size_t segment, std::size_t bin) const { return power[segment * bins + bin]; }
    double frequency(std::size_t bin) const { return static_cast<double>(bin) * df; }
};

// Segments of n samples (a trailing part that does not fill one is dropped), each with its mean
// removed and multiplied by the periodic Hann window 0.5 - 0.5 cos(2 pi j / n), transformed at
// length n; |X_k|^2 / (fs sum w^2), doubled except at 0 Hz and (n even) at the Nyquist frequency.
// A FormulaError (Russian text) refuses n below 2 or above the count, an overlap outside 0 .. n-1,
// an interval that is not a positive number and a matrix above SignalCountLimit() values.
Spectrogram ComputeSpectrogram(std::span<const double> x, double dx, std::int64_t n, std::int64_t overlap);

// The mean power of each segment over the bins with f1 <= frequency <= f2 (one value per
// segment). A FormulaError when f1 > f2 or no bin lies in the band.
std::vector<double> BandMeanPower(const Spectrogram& s, double f1, double f2);

}  // namespace zel

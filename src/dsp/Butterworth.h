#pragma once
// The one band filter of the system: an analog Butterworth prototype turned into low-pass,
// high-pass, band-pass or band-reject form, mapped to digital second-order sections by the
// bilinear transform with prewarped edges, and run as a cascade over float samples.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace zel {

enum class FilterType : int { BandPass = 0, LowPass = 1, BandReject = 2, HighPass = 3, Spwwss = 4 };

constexpr int kMaxFilterOrder = 10;
constexpr int kMaxSections = 10;

// Second-order sections: numerator b0 b1 b2 and denominator 1 a1 a2, kept as floats because
// that is how they have always been stored; the cascade itself runs in double.
struct SectionCascade {
    std::array<std::array<float, 3>, kMaxSections> b{};
    std::array<std::array<float, 3>, kMaxSections> a{};
    int count = 0;
};

// "BP", "BR", "LP", "HP" (the first two characters count); an unknown text designs nothing.
// Frequencies in Hz, interval in seconds. No check of the edges: callers validate first.
SectionCascade DesignButterworth(int order, std::string_view typeText, double fLow, double fHigh,
                                 double sampleInterval);

// One forward pass in place, every section from a zero state.
void ApplySections(std::span<float> samples, const SectionCascade& sections);
void ApplySections(std::span<double> samples, const SectionCascade& sections);
// Forward pass, then (when zeroPhase) a second pass from the last sample to the first.
void ApplySectionsZeroPhase(std::span<float> samples, bool zeroPhase, const SectionCascade& sections);

// Sine-shaped taper over `percent` of the count at each end (the first sample becomes 0).
void CosineTaper(std::span<float> samples, double percent);

// The type text of a code ("BP", "LP", "BR", "HP"; "SPWWSS" for code 4; "" for others).
std::string_view FilterTypeText(int type);

// The channel filter body: order held to 1..10, 5 % taper, design and two-way application.
// Throws ZelError when an edge the type uses is not positive, the band is empty or inverted, or
// an edge lies at or above the Nyquist frequency: such a design is unstable or meaningless.
void FilterSamples(std::span<float> samples, double sampleInterval, int type, int order, double fLow,
                   double fHigh, bool zeroPhase);

// The formula function butter(W, lfr, hfr, n): lfr == hfr leaves W unchanged; lfr 0 gives a
// low-pass at hfr, hfr 0 a high-pass at lfr, otherwise a band-pass; order held to 2..10; one
// forward pass. Throws FormulaError for negative edges, an inverted band or an edge at or above
// the Nyquist frequency.
void ButterFormula(std::span<double> values, double sampleInterval, double lfr, double hfr, int n);

}  // namespace zel

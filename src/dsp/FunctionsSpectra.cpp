#include "dsp/FunctionsSpectra.h"

#include <array>
#include <cmath>
#include <complex>
#include <limits>
#include <string>
#include <vector>

#include "dsp/Fft.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"
#include "dsp/Spectrogram.h"

namespace zel {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr ArgumentTexts kBracketTexts = {ZEL_TR_NOOP("Нет скобки '('"), "",
                                         ZEL_TR_NOOP("Нет парной скобки ')'")};

// The power-of-two transform of the spectra in single precision, as the display spectra have
// always been computed: bit-reversal, then butterflies whose twiddles come from a recurrence kept
// in double. data holds re, im pairs; sign +1 gives exp(+2 pi i j k / N).
void FloatRadix2(std::vector<float>& data, int sign) {
    const std::size_t n = data.size();  // twice the number of complex samples
    for (std::size_t i = 0, j = 0; i < n; i += 2) {
        if (j > i) {
            std::swap(data[j], data[i]);
            std::swap(data[j + 1], data[i + 1]);
        }
        std::size_t m = n >> 1;
        while (m >= 2 && j >= m) {
            j -= m;
            m >>= 1;
        }
        j += m;
    }
    for (std::size_t mmax = 2; mmax < n; mmax <<= 1) {
        const std::size_t step = mmax << 1;
        const double theta = sign * (kTwoPi / static_cast<double>(mmax));
        const double s = std::sin(0.5 * theta);
        const double wpr = -2.0 * s * s;
        const double wpi = std::sin(theta);
        double wr = 1.0;
        double wi = 0.0;
        for (std::size_t m = 0; m < mmax; m += 2) {
            for (std::size_t i = m; i < n; i += step) {
                const std::size_t j = i + mmax;
                const float tr = static_cast<float>(wr * data[j] - wi * data[j + 1]);
                const float ti = static_cast<float>(wr * data[j + 1] + wi * data[j]);
                data[j] = data[i] - tr;
                data[j + 1] = data[i + 1] - ti;
                data[i] += tr;
                data[i + 1] += ti;
            }
            const double t = wr;
            wr = t * wpr - wi * wpi + wr;
            wi = wi * wpr + t * wpi + wi;
        }
    }
}

SignalVector OneSignal(FormulaParser& p) {
    std::array<SignalVector, 1> a;
    ReadArguments(p, a, kBracketTexts);
    return std::move(a[0]);
}

SignalVector Spectrum(FormulaParser& p) {
    return FastSpectrum(OneSignal(p), SpectrumPart::Magnitude, "spectrum");
}
SignalVector ReFft(FormulaParser& p) { return FastSpectrum(OneSignal(p), SpectrumPart::Real, "refft"); }
SignalVector ImFft(FormulaParser& p) { return FastSpectrum(OneSignal(p), SpectrumPart::Imaginary, "imfft"); }
SignalVector Spectrum2(FormulaParser& p) { return EvenSpectrum(OneSignal(p)); }
SignalVector DSpectrum(FormulaParser& p) { return DirectSpectrum(OneSignal(p)); }

SignalVector AvSpectrum(FormulaParser& p) {
    std::array<SignalVector, 3> a;
    ReadArguments(
        p, a,
        {ZEL_TR_NOOP("Error in formula: expected '('"), ZEL_TR_NOOP("Error in formula: expected ','"),
         ZEL_TR_NOOP("Error in formula: expected ')'")});
    return AverageSpectrum(a[0], IntegerArgument(a[1]), IntegerArgument(a[2]));
}

SignalVector InterpolateFn(FormulaParser& p) {
    std::array<SignalVector, 2> a;
    ReadArguments(p, a,
                  {ZEL_TR_NOOP("Error in formula: Expected '('"),
                   ZEL_TR_NOOP("Error in interpolate: wrong arguments number"),
                   ZEL_TR_NOOP("Error in interpolate: Expected ')'")});
    return Interpolate(a[0], IntegerArgument(a[1]));
}

// spectrogram(W, n, overlap [, f1, f2]): the mean power spectral density of each segment over
// f1 .. f2 Hz (every bin without them), one value per segment, dx the segment step.
SignalVector SpectrogramFn(FormulaParser& p) {
    constexpr const char* kTooMany =
        ZEL_TR_NOOP("Нет парной скобки или к-во много аргументов > 5 в функции SPECTROGRAM");
    constexpr const char* kCount = ZEL_TR_NOOP("Ошибка в количестве аргументов в функции SPECTROGRAM");
    p.ExpectOpen(ZEL_TR_NOOP("Нет скобки '('"));
    const SignalVector w = p.ParseExpression();
    p.ExpectComma(kCount);
    const std::int64_t n = IntegerArgument(p.ParseExpression());
    p.ExpectComma(kCount);
    const std::int64_t overlap = IntegerArgument(p.ParseExpression());
    double f1 = -std::numeric_limits<double>::infinity(), f2 = std::numeric_limits<double>::infinity();
    if (p.At(',')) {
        p.NextToken();
        f1 = p.ParseScalar();
        p.ExpectComma(kCount);
        f2 = p.ParseScalar();
    }
    p.ExpectClose(kTooMany);
    const Spectrogram s = ComputeSpectrogram(w.Values(), w.dx, n, overlap);
    return SignalVector(BandMeanPower(s, f1, f2), s.step);
}

constexpr FormulaFunctionEntry kFunctions[] = {
    {"spectrum", &Spectrum},
    {"fft", &Spectrum},
    {"refft", &ReFft},
    {"imfft", &ImFft},
    {"spectrum2", &Spectrum2},
    {"dspectrum", &DSpectrum},
    {"dft", &DSpectrum},
    {"avspectrum", &AvSpectrum},
    {"interpolate", &InterpolateFn},
    {"spectrogram", &SpectrogramFn},
};

// The magnitudes of one window, added into sum (which has n / 2 values).
void AddMagnitudes(std::span<const double> x, std::size_t n, std::vector<float>& work,
                   std::span<double> sum) {
    work.assign(2 * n, 0.0f);
    for (std::size_t i = 0; i < x.size(); ++i) work[2 * i] = static_cast<float>(x[i]);
    FloatRadix2(work, +1);
    // A single sample has no half-length to divide by; its spectrum is the sample itself.
    const double half = static_cast<double>(std::max<std::size_t>(x.size() / 2, 1));
    for (std::size_t k = 0; k < n / 2; ++k) sum[k] += std::hypot(work[2 * k], work[2 * k + 1]) / half;
}

}  // namespace

std::span<const FormulaFunctionEntry> SpectrumFunctions() { return kFunctions; }

SignalVector FastSpectrum(const SignalVector& w, SpectrumPart part, const char* what) {
    if (w.Count() > kMaxFastTransform)
        RaiseFormulaError(Tr("Error in %1: signal of %2 samples is longer than %3")
                              .arg(what)
                              .arg(w.Count())
                              .arg(kMaxFastTransform));
    const std::size_t n = PowerOfTwoAtLeast(w.Count());
    SignalVector out = SignalVector::Filled(n / 2, 1.0 / (static_cast<double>(n) * w.dx), 0.0, what);
    if (part == SpectrumPart::Magnitude) {
        std::vector<float> work;
        AddMagnitudes(w.Values(), n, work, out.Values());
        return out;
    }
    std::vector<float> work(2 * n, 0.0f);
    for (std::size_t i = 0; i < w.Count(); ++i) work[2 * i] = static_cast<float>(w[i]);
    FloatRadix2(work, +1);
    const std::size_t offset = part == SpectrumPart::Real ? 0 : 1;
    for (std::size_t k = 0; k < n / 2; ++k) out[k] = work[2 * k + offset];
    return out;
}

SignalVector EvenSpectrum(const SignalVector& w) {
    const std::size_t m = w.Count() + (w.Count() % 2);
    CheckSignalCount(static_cast<double>(m), "spectrum2");
    std::vector<std::complex<double>> x(m);
    for (std::size_t i = 0; i < w.Count(); ++i) x[i] = w[i];
    Dft(x, -1);
    SignalVector out = SignalVector::Filled(m / 2, 1.0 / (static_cast<double>(m) * w.dx), 0.0, "spectrum2");
    const double half = static_cast<double>(m / 2);
    for (std::size_t k = 0; k < m / 2; ++k) out[k] = std::abs(x[k]) / half;
    return out;
}

SignalVector DirectSpectrum(const SignalVector& w) {
    const std::size_t count = w.Count();
    SignalVector out =
        SignalVector::Filled(count / 2 + 1, 1.0 / (static_cast<double>(count) * w.dx), 0.0, "dspectrum");
    const double scale = static_cast<double>(count) * 0.5;
    for (std::size_t k = 0; k < count / 2; ++k) {
        const double omega = kTwoPi * static_cast<double>(k) / static_cast<double>(count);
        const double cw = std::cos(omega);
        const double sw = std::sin(omega);
        double c = 1.0;
        double s = 0.0;
        double re = 0.0;
        double im = 0.0;
        for (std::size_t j = 0; j < count; ++j) {
            re += w[j] * c;
            im += w[j] * s;
            const double t = c * cw - s * sw;
            s = s * cw + c * sw;
            c = t;
        }
        out[k] = std::sqrt(re * re + im * im) / scale;
    }
    return out;
}

SignalVector AverageSpectrum(const SignalVector& w, std::int64_t points, std::int64_t shift) {
    if (points < 1 || static_cast<std::uint64_t>(points) > kMaxFastTransform)
        RaiseFormulaError(
            Tr("Error in avspectrum: wrong window length %1").arg(static_cast<long long>(points)));
    if (shift < 1)
        RaiseFormulaError(
            Tr("Error in avspectrum: wrong window shift %1").arg(static_cast<long long>(shift)));
    const std::int64_t count = static_cast<std::int64_t>(w.Count());
    if (count <= points)
        RaiseFormulaError(Tr("Error in avspectrum: signal of %1 samples is too short for windows of %2")
                              .arg(static_cast<long long>(count))
                              .arg(static_cast<long long>(points)));
    const std::size_t len = static_cast<std::size_t>(points);
    const std::size_t n = PowerOfTwoAtLeast(len);
    SignalVector out = SignalVector::Filled(n / 2, 1.0 / (static_cast<double>(n) * w.dx), 0.0, "avspectrum");
    std::vector<float> work;
    std::size_t windows = 0;
    for (std::int64_t s = 0; s < count - points; s += shift) {
        AddMagnitudes(w.Values().subspan(static_cast<std::size_t>(s), len), n, work, out.Values());
        ++windows;
    }
    for (double& v : out.Values()) v /= static_cast<double>(windows);
    return out;
}

SignalVector Interpolate(const SignalVector& w, std::int64_t n) {
    if (n < 1)
        RaiseFormulaError(
            Tr("Error in interpolate: wrong interpolation order %1").arg(static_cast<long long>(n)));
    const std::size_t count = w.Count();
    CheckSignalCount(static_cast<double>(count) * static_cast<double>(n), "interpolate");
    if (n == 1) return w;
    const std::size_t m = count * static_cast<std::size_t>(n);
    std::vector<std::complex<double>> x(w.Values().begin(), w.Values().end());
    Dft(x, -1);
    std::vector<std::complex<double>> y(m);
    const std::size_t positive = (count - 1) / 2;  // frequencies 1 .. positive have a mirror image
    y[0] = x[0];
    for (std::size_t k = 1; k <= positive; ++k) {
        y[k] = x[k];
        y[m - k] = x[count - k];
    }
    if (count % 2 == 0) {
        // The Nyquist term of an even count belongs half to each side of the new spectrum.
        y[count / 2] = 0.5 * x[count / 2];
        y[m - count / 2] += 0.5 * x[count / 2];
    }
    Dft(y, +1);
    SignalVector out = SignalVector::Filled(m, w.dx / static_cast<double>(n), 0.0, "interpolate");
    const double scale = 1.0 / static_cast<double>(count);
    for (std::size_t d = 0; d < m; ++d) out[d] = y[d].real() * scale;
    return out;
}

}  // namespace zel

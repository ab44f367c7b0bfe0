#include "dsp/Spectrogram.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <string>

#include "dsp/Fft.h"
#include "dsp/SignalVector.h"

namespace zel {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// A number as the messages write it, with a point whatever the locale: 6 significant digits.
std::string Number(double v) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 6).ptr;
    return std::string(text, end);
}

}  // namespace

Spectrogram ComputeSpectrogram(std::span<const double> x, double dx, std::int64_t n, std::int64_t overlap) {
    const auto count = static_cast<std::int64_t>(x.size());
    if (n < 2 || n > count)
        RaiseFormulaError(
            Tr("Ошибка в spectrogram: длина окна %1 вне пределов 2 .. %2 (число отсчетов сигнала)")
                .arg(static_cast<long long>(n))
                .arg(static_cast<long long>(count)));
    if (overlap < 0 || overlap >= n)
        RaiseFormulaError(Tr("Ошибка в spectrogram: перекрытие %1 вне пределов 0 .. %2 (длина окна минус 1)")
                              .arg(static_cast<long long>(overlap))
                              .arg(static_cast<long long>(n - 1)));
    if (!(dx > 0) || !std::isfinite(dx))
        RaiseFormulaError(Tr("Ошибка в spectrogram: шаг по времени %1 с не положителен").arg(Number(dx)));

    const auto len = static_cast<std::size_t>(n);
    const auto hop = static_cast<std::size_t>(n - overlap);
    Spectrogram s;
    s.segments = (x.size() - len) / hop + 1;
    s.bins = len / 2 + 1;
    if (static_cast<double>(s.segments) * static_cast<double>(s.bins) >
        static_cast<double>(SignalCountLimit()))
        RaiseFormulaError(Tr("Ошибка в spectrogram: число окон %1 × число частот %2 превышает предел %3 "
                             "значений; возьмите окно длиннее или перекрытие меньше")
                              .arg(s.segments)
                              .arg(s.bins)
                              .arg(SignalCountLimit()));
    s.df = 1.0 / (static_cast<double>(len) * dx);
    s.step = static_cast<double>(hop) * dx;

    // SciPy's get_window('hann', n): the periodic window, and the density scale 1 / (fs sum w^2).
    std::vector<double> window(len);
    double energy = 0.0;
    for (std::size_t j = 0; j < len; ++j) {
        window[j] = 0.5 - 0.5 * std::cos(kTwoPi * static_cast<double>(j) / static_cast<double>(len));
        energy += window[j] * window[j];
    }
    const double scale = dx / energy;
    // One-sided: every bin but 0 Hz and the Nyquist bin of an even length stands for two.
    const std::size_t lastDoubled = len % 2 == 0 ? s.bins - 2 : s.bins - 1;

    s.times.resize(s.segments);
    s.power.resize(s.segments * s.bins);
    std::vector<std::complex<double>> work(len);
    for (std::size_t seg = 0; seg < s.segments; ++seg) {
        const std::span<const double> part = x.subspan(seg * hop, len);
        double mean = 0.0;
        for (double v : part) mean += v;
        mean /= static_cast<double>(len);
        for (std::size_t j = 0; j < len; ++j) work[j] = (part[j] - mean) * window[j];
        Dft(work, -1);
        double* row = s.power.data() + seg * s.bins;
        for (std::size_t k = 0; k < s.bins; ++k)
            row[k] = std::norm(work[k]) * scale * (k >= 1 && k <= lastDoubled ? 2.0 : 1.0);
        s.times[seg] = (0.5 * static_cast<double>(len) + static_cast<double>(seg * hop)) * dx;
    }
    return s;
}

std::vector<double> BandMeanPower(const Spectrogram& s, double f1, double f2) {
    if (!(f1 <= f2))
        RaiseFormulaError(Tr("Ошибка в spectrogram: нижняя частота %1 Гц больше верхней %2 Гц")
                              .arg(Number(f1))
                              .arg(Number(f2)));
    std::size_t first = s.bins, last = 0;
    for (std::size_t k = 0; k < s.bins; ++k) {
        const double f = s.frequency(k);
        if (f >= f1 && f <= f2) {
            first = std::min(first, k);
            last = k;
        }
    }
    if (first == s.bins)
        RaiseFormulaError(Tr("Ошибка в spectrogram: в полосе %1 .. %2 Гц нет частот спектра (от 0 до %3 Гц с "
                             "шагом %4 Гц)")
                              .arg(Number(f1))
                              .arg(Number(f2))
                              .arg(Number(s.frequency(s.bins - 1)))
                              .arg(Number(s.df)));
    std::vector<double> mean(s.segments, 0.0);
    const double width = static_cast<double>(last - first + 1);
    for (std::size_t seg = 0; seg < s.segments; ++seg) {
        double sum = 0.0;
        for (std::size_t k = first; k <= last; ++k) sum += s.at(seg, k);
        mean[seg] = sum / width;
    }
    return mean;
}

}  // namespace zel

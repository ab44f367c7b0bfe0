#include "dsp/Butterworth.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <string>
#include <vector>

#include "base/ZelError.h"
#include "dsp/CascadeRun.h"
#include "dsp/SignalVector.h"

namespace zel {
namespace {

using Complex = std::complex<double>;

struct PrototypePole {
    Complex p;
    bool single;  // the real pole of an odd order; otherwise the upper member of a conjugate pair
};

std::vector<PrototypePole> PrototypePoles(int n) {
    // The angles use pi rounded to float, as the stored designs always have.
    const double pi = static_cast<double>(3.1415927f);
    std::vector<PrototypePole> poles;
    const int half = n / 2;
    if (2 * half < n) poles.push_back({Complex(-1.0, 0.0), true});
    for (int k = 0; k < half; ++k) {
        const double angle = pi * ((2.0 * k + 1.0) / (2.0 * n) + 0.5);
        poles.push_back({Complex(std::cos(angle), std::sin(angle)), false});
    }
    return poles;
}

// Prewarped edge: the analog frequency (Hz) that the unit bilinear transform maps onto f.
double Warp(double f, double sampleInterval) {
    constexpr double kTwoPi = 6.283185307179586;
    const double half = f * sampleInterval / 2.0;
    return std::tan(kTwoPi * half * 2.0 / 2.0) * 2.0 / 2.0 / kTwoPi;
}

// Analog section: b[0] + b[1] s + b[2] s^2 over a[0] + a[1] s + a[2] s^2.
struct Analog {
    std::array<double, 3> b, a;
};

void ScaleToEdge(std::vector<Analog>& sections, double edge) {
    const double s = static_cast<double>(6.2831853f) * edge;
    for (Analog& x : sections) {
        x.b[1] /= s;
        x.b[2] /= s * s;
        x.a[1] /= s;
        x.a[2] /= s * s;
    }
}

}  // namespace

SectionCascade DesignButterworth(int order, std::string_view typeText, double fLow, double fHigh,
                                 double sampleInterval) {
    SectionCascade out;
    order = std::clamp(order, 1, kMaxFilterOrder);
    const std::string_view type = typeText.substr(0, std::min<std::size_t>(2, typeText.size()));
    const std::vector<PrototypePole> poles = PrototypePoles(order);
    const double fl = Warp(fLow, sampleInterval);
    const double fh = Warp(fHigh, sampleInterval);
    std::vector<Analog> analog;
    if (type == "LP") {
        for (const PrototypePole& q : poles)
            analog.push_back(q.single ? Analog{{1, 0, 0}, {-q.p.real(), 1, 0}}
                                      : Analog{{1, 0, 0}, {std::norm(q.p), -2 * q.p.real(), 1}});
        ScaleToEdge(analog, fh);
    } else if (type == "HP") {
        for (const PrototypePole& q : poles)
            analog.push_back(q.single ? Analog{{0, 1, 0}, {1, -q.p.real(), 0}}
                                      : Analog{{0, 0, 1}, {1, -2 * q.p.real(), std::norm(q.p)}});
        ScaleToEdge(analog, fl);
    } else if (type == "BP" || type == "BR") {
        const double A = 39.47841980153157 * fl * fh;
        const double B = static_cast<double>(6.2831855f) * (fh - fl);
        const bool pass = type == "BP";
        for (const PrototypePole& q : poles) {
            if (q.single) {
                analog.push_back(pass ? Analog{{0, B, 0}, {A, -B * q.p.real(), 1}}
                                      : Analog{{A, 0, 1}, {-A * q.p.real(), B, -q.p.real()}});
                continue;
            }
            // Each prototype pole maps onto the two roots of s^2 - q s + A.
            const Complex c = pass ? B * q.p : B / q.p;
            const Complex r = std::sqrt(c * c - 4.0 * A);
            for (const Complex pi : {0.5 * (c + r), 0.5 * (c - r)})
                analog.push_back(pass ? Analog{{0, B, 0}, {std::norm(pi), -2 * pi.real(), 1}}
                                      : Analog{{A, 0, 1}, {std::norm(pi), -2 * pi.real(), 1}});
        }
    }
    for (const Analog& x : analog) {
        if (out.count == kMaxSections) break;
        const double scale = x.a[0] + x.a[1] + x.a[2];
        auto& b = out.b[static_cast<std::size_t>(out.count)];
        auto& a = out.a[static_cast<std::size_t>(out.count)];
        a = {1.0f, static_cast<float>(2 * (x.a[0] - x.a[2]) / scale),
             static_cast<float>((x.a[0] - x.a[1] + x.a[2]) / scale)};
        b = {static_cast<float>((x.b[0] + x.b[1] + x.b[2]) / scale),
             static_cast<float>(2 * (x.b[0] - x.b[2]) / scale),
             static_cast<float>((x.b[0] - x.b[1] + x.b[2]) / scale)};
        ++out.count;
    }
    return out;
}

namespace {

[[noreturn]] void Refuse(bool formula, const UserText& text) {
    if (formula) RaiseFormulaError(text);
    throw ZelError(text);
}

std::string Hz(double f) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", f);
    return text;
}

// Every edge the type uses must be positive and below Nyquist, and a band must not be inverted:
// otherwise the bilinear design has poles outside the unit circle or passes nothing.
void CheckEdges(std::string_view type, double fLow, double fHigh, double sampleInterval, bool formula) {
    if (!(sampleInterval > 0) || !std::isfinite(sampleInterval))
        Refuse(formula, Tr("Неверный интервал дискретизации фильтруемого сигнала"));
    const double nyquist = 0.5 / sampleInterval;
    const bool useLow = type != "LP", useHigh = type != "HP";
    for (auto [use, f] : {std::pair{useLow, fLow}, std::pair{useHigh, fHigh}}) {
        if (!use) continue;
        if (!(f > 0) || !std::isfinite(f))
            Refuse(formula, Tr("Частота среза фильтра должна быть больше нуля (задано %1 Гц)").arg(Hz(f)));
        if (f >= nyquist)
            Refuse(formula, Tr("Частота среза фильтра %1 Гц не меньше частоты Найквиста %2 Гц")
                                .arg(Hz(f))
                                .arg(Hz(nyquist)));
    }
    if (useLow && useHigh && !(fLow < fHigh))
        Refuse(formula, Tr("Нижняя частота полосы фильтра (%1 Гц) должна быть меньше верхней (%2 Гц)")
                            .arg(Hz(fLow))
                            .arg(Hz(fHigh)));
}

}  // namespace

void ApplySections(std::span<float> samples, const SectionCascade& sections) {
    RunSections(samples.data(), static_cast<std::ptrdiff_t>(samples.size()), 1, sections);
}

void ApplySections(std::span<double> samples, const SectionCascade& sections) {
    RunSections(samples.data(), static_cast<std::ptrdiff_t>(samples.size()), 1, sections);
}

void ApplySectionsZeroPhase(std::span<float> samples, bool zeroPhase, const SectionCascade& sections) {
    ApplySections(samples, sections);
    if (zeroPhase && !samples.empty())
        RunSections(samples.data() + samples.size() - 1, static_cast<std::ptrdiff_t>(samples.size()), -1,
                    sections);
}

void CosineTaper(std::span<float> samples, double percent) {
    const std::size_t count = samples.size();
    const auto m = static_cast<std::size_t>(std::trunc(static_cast<double>(count) * percent / 100.0));
    if (m == 0 || 2 * m > count) return;
    const double step = (3.14159265358979323846 / 2) / static_cast<double>(m);
    for (std::size_t j = 0; j < m; ++j) samples[j] = static_cast<float>(samples[j] * std::sin(step * j));
    for (std::size_t i = count - m; i < count; ++i)
        samples[i] = static_cast<float>(samples[i] * std::sin(step * static_cast<double>(count - i)));
}

std::string_view FilterTypeText(int type) {
    switch (type) {
        case 0:
            return "BP";
        case 1:
            return "LP";
        case 2:
            return "BR";
        case 3:
            return "HP";
        case 4:
            return "SPWWSS";
        default:
            return "";
    }
}

void FilterSamples(std::span<float> samples, double sampleInterval, int type, int order, double fLow,
                   double fHigh, bool zeroPhase) {
    const std::string_view text = FilterTypeText(type);
    // Code 4 was only ever a preset label: there is no design behind it.
    if (type < 0 || type > 3) throw ZelError(Tr("Фильтр типа '%1' не поддерживается").arg(text));
    CheckEdges(text, fLow, fHigh, sampleInterval, false);
    order = std::clamp(order, 1, kMaxFilterOrder);
    CosineTaper(samples, 5);
    ApplySectionsZeroPhase(samples, zeroPhase, DesignButterworth(order, text, fLow, fHigh, sampleInterval));
}

void ButterFormula(std::span<double> values, double sampleInterval, double lfr, double hfr, int n) {
    if (lfr == hfr) return;
    const std::string_view type = lfr == 0 ? "LP" : hfr == 0 ? "HP" : "BP";
    CheckEdges(type, lfr, hfr, sampleInterval, true);
    ApplySections(values,
                  DesignButterworth(std::clamp(n, 2, kMaxFilterOrder), type, lfr, hfr, sampleInterval));
}

}  // namespace zel

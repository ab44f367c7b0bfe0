#include "dsp/FunctionsPolarization.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"
#include "dsp/PolarizationAnalysis.h"

namespace zel {
namespace {

const char* MeasureName(PolarizationMeasure m) {
    switch (m) {
        case PolarizationMeasure::Rectilinearity:
            return "rectilinearity";
        case PolarizationMeasure::Planarity:
            return "planarity";
        case PolarizationMeasure::Azimuth:
            return "azimuth";
    }
    return "";
}

void Rotate(Matrix3& a, int i, int j, int k, int l, double s, double tau) {
    const double g = a[i][j];
    const double h = a[k][l];
    a[i][j] = g - s * (h + g * tau);
    a[k][l] = h + s * (g - h * tau);
}

// Each measure names itself in whole texts, so that every one is a template of its own.
ArgumentTexts MeasureTexts(PolarizationMeasure m) {
    constexpr const char* kOpen = ZEL_TR_NOOP("Error in formula: Expected '('");
    switch (m) {
        case PolarizationMeasure::Rectilinearity:
            return {kOpen, ZEL_TR_NOOP("Error in rectilinearity: wrong arguments number"),
                    ZEL_TR_NOOP("Error in rectilinearity: Expected ')'")};
        case PolarizationMeasure::Planarity:
            return {kOpen, ZEL_TR_NOOP("Error in planarity: wrong arguments number"),
                    ZEL_TR_NOOP("Error in planarity: Expected ')'")};
        case PolarizationMeasure::Azimuth:
            break;
    }
    return {kOpen, ZEL_TR_NOOP("Error in azimuth: wrong arguments number"),
            ZEL_TR_NOOP("Error in azimuth: Expected ')'")};
}

template <PolarizationMeasure M>
SignalVector Measure(FormulaParser& p) {
    std::array<SignalVector, 4> a;
    ReadArguments(p, a, MeasureTexts(M));
    return Polarization(a[0], a[1], a[2], IntegerArgument(a[3]), M);
}

constexpr FormulaFunctionEntry kFunctions[] = {
    {"rectilin", &Measure<PolarizationMeasure::Rectilinearity>},
    {"planar", &Measure<PolarizationMeasure::Planarity>},
    {"azimuth", &Measure<PolarizationMeasure::Azimuth>},
};

}  // namespace

std::span<const FormulaFunctionEntry> PolarizationFunctions() { return kFunctions; }

Eigen3 JacobiEigen(Matrix3 a) {
    constexpr int n = 3;
    Eigen3 r{};
    Matrix3& v = r.vectors;
    for (int i = 0; i < n; ++i) v[i][i] = 1.0;
    std::array<double, 3> d{}, b{}, z{};
    for (int i = 0; i < n; ++i) b[i] = d[i] = a[i][i];
    for (int sweep = 1; sweep <= 50; ++sweep) {
        double sm = 0;
        for (int p = 0; p < n - 1; ++p)
            for (int q = p + 1; q < n; ++q) sm += std::fabs(a[p][q]);
        if (sm <= 1e-6) break;
        const double tresh = sweep < 4 ? 0.2 * sm / (n * n) : 0.0;
        for (int p = 0; p < n - 1; ++p) {
            for (int q = p + 1; q < n; ++q) {
                const double g = 100.0 * std::fabs(a[p][q]);
                if (sweep > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) &&
                    std::fabs(d[q]) + g == std::fabs(d[q])) {
                    a[p][q] = 0.0;
                } else if (std::fabs(a[p][q]) > tresh) {
                    double h = d[q] - d[p];
                    double t;
                    if (std::fabs(h) + g == std::fabs(h)) {
                        t = a[p][q] / h;
                    } else {
                        const double theta = 0.5 * h / a[p][q];
                        t = 1.0 / (std::fabs(theta) + std::sqrt(1.0 + theta * theta));
                        if (theta < 0.0) t = -t;
                    }
                    const double c = 1.0 / std::sqrt(1 + t * t);
                    const double s = t * c;
                    const double tau = s / (1.0 + c);
                    h = t * a[p][q];
                    z[p] -= h;
                    z[q] += h;
                    d[p] -= h;
                    d[q] += h;
                    a[p][q] = 0.0;
                    for (int j = 0; j < p; ++j) Rotate(a, j, p, j, q, s, tau);
                    for (int j = p + 1; j < q; ++j) Rotate(a, p, j, j, q, s, tau);
                    for (int j = q + 1; j < n; ++j) Rotate(a, p, j, q, j, s, tau);
                    for (int j = 0; j < n; ++j) Rotate(v, j, p, j, q, s, tau);
                }
            }
        }
        for (int p = 0; p < n; ++p) {
            b[p] += z[p];
            d[p] = b[p];
            z[p] = 0.0;
        }
    }
    // Decreasing order, each column following its value.
    for (int i = 0; i < n - 1; ++i) {
        int k = i;
        for (int j = i + 1; j < n; ++j)
            if (d[j] >= d[k]) k = j;
        if (k != i) {
            std::swap(d[k], d[i]);
            for (int j = 0; j < n; ++j) std::swap(v[j][i], v[j][k]);
        }
    }
    r.values = d;
    return r;
}

SignalVector Polarization(const SignalVector& z, const SignalVector& x, const SignalVector& y, std::int64_t n,
                          PolarizationMeasure measure) {
    const std::string name = MeasureName(measure);
    if (z.dx != x.dx || z.dx != y.dx)
        RaiseFormulaError(Tr("Error in %1: arguments have different sample interval").arg(name));
    const std::size_t length = std::min({z.Count(), x.Count(), y.Count()});
    // A window of no samples has no mean or covariance to speak of.
    if (n < 1 || n > static_cast<std::int64_t>(length))
        RaiseFormulaError(
            Tr("Error in %1: wrong sliding window length %2").arg(name).arg(static_cast<long long>(n)));
    const std::size_t w = static_cast<std::size_t>(n);
    SignalVector out = SignalVector::Filled(length, z.dx, 0.0, name.c_str());
    const std::array<const SignalVector*, 3> comp = {&z, &x, &y};
    std::array<std::vector<double>, 3> window;
    for (auto& v : window) v.resize(w);
    for (std::size_t s = w; s < length; ++s) {
        for (int c = 0; c < 3; ++c)
            for (std::size_t i = 0; i < w; ++i) window[c][i] = s + i < length ? (*comp[c])[s + i] : 0.0;
        const PolarizationResult r = PolarizationAnalysis(window[0], window[1], window[2]);
        if (!r.defined) continue;  // too short a window, or no motion in it
        switch (measure) {
            case PolarizationMeasure::Rectilinearity:
                out[s] = r.rectilinearity;
                break;
            case PolarizationMeasure::Planarity:
                out[s] = r.planarity;
                break;
            case PolarizationMeasure::Azimuth:
                out[s] = r.azimuth;
                break;
        }
    }
    return out;
}

}  // namespace zel

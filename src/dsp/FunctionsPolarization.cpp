#include "dsp/FunctionsPolarization.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"

namespace zel {
namespace {

constexpr double kPi = 3.141592653589793;

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

double Determinant(const Matrix3& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

template <PolarizationMeasure M>
SignalVector Measure(FormulaParser& p) {
    const std::string name = MeasureName(M);
    const std::string comma = "Error in " + name + ": wrong arguments number";
    const std::string close = "Error in " + name + ": Expected ')'";
    std::array<SignalVector, 4> a;
    ReadArguments(p, a, {"Error in formula: Expected '('", comma.c_str(), close.c_str()});
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
        RaiseFormulaError("Error in " + name + ": arguments have different sample interval");
    const std::size_t length = std::min({z.Count(), x.Count(), y.Count()});
    // A window of no samples has no mean or covariance to speak of.
    if (n < 1 || n > static_cast<std::int64_t>(length))
        RaiseFormulaError("Error in " + name + ": wrong sliding window length " + std::to_string(n));
    const std::size_t w = static_cast<std::size_t>(n);
    SignalVector out = SignalVector::Filled(length, z.dx, 0.0, name.c_str());
    const std::array<const SignalVector*, 3> comp = {&z, &x, &y};
    auto at = [&](int c, std::size_t i) { return i < length ? (*comp[c])[i] : 0.0; };
    for (std::size_t s = w; s < length; ++s) {
        std::array<double, 3> mean{};
        for (int c = 0; c < 3; ++c) {
            for (std::size_t i = s; i < s + w; ++i) mean[c] += at(c, i);
            mean[c] /= static_cast<double>(w);
        }
        Matrix3 cov{};
        for (std::size_t i = s; i < s + w; ++i) {
            const double dz = at(0, i) - mean[0];
            const double dxv = at(1, i) - mean[1];
            const double dy = at(2, i) - mean[2];
            cov[0][0] += dz * dz;
            cov[0][1] += dz * dxv;
            cov[0][2] += dz * dy;
            cov[1][1] += dxv * dxv;
            cov[1][2] += dxv * dy;
            cov[2][2] += dy * dy;
        }
        for (int i = 0; i < 3; ++i)
            for (int j = i; j < 3; ++j) cov[j][i] = cov[i][j] /= static_cast<double>(w);
        if (Determinant(cov) == 0.0) continue;
        const Eigen3 e = JacobiEigen(cov);
        const auto& l = e.values;
        switch (measure) {
            case PolarizationMeasure::Rectilinearity:
                out[s] = 1.0 - (l[1] + l[2]) / (2.0 * l[0]);
                break;
            case PolarizationMeasure::Planarity:
                out[s] = 1.0 - 2.0 * l[2] / (l[0] + l[1]);
                break;
            case PolarizationMeasure::Azimuth: {
                double az = std::atan2(-e.vectors[2][0], -e.vectors[1][0]) * (180.0 / kPi);
                if (az < 0) az += 360.0;
                out[s] = az;
                break;
            }
        }
    }
    return out;
}

}  // namespace zel

#include "events/LeastSquares.h"

#include <algorithm>
#include <cmath>

namespace zel {
namespace {

constexpr int kMaxSweeps = 60;
constexpr double kRelativeCutoff = 1e-10;

}  // namespace

bool Decompose(const std::vector<double>& a, int rows, int cols, Svd& out) {
    if (rows < cols || cols <= 0 || a.size() != static_cast<std::size_t>(rows) * cols) return false;
    for (double x : a)
        if (!std::isfinite(x)) return false;
    std::vector<double> u = a;
    std::vector<double> v(static_cast<std::size_t>(cols) * cols, 0.0);
    for (int i = 0; i < cols; ++i) v[i * cols + i] = 1.0;

    // Rotate pairs of columns until every pair is orthogonal to working precision.
    bool settled = false;
    for (int sweep = 0; sweep < kMaxSweeps && !settled; ++sweep) {
        settled = true;
        for (int p = 0; p < cols - 1; ++p) {
            for (int q = p + 1; q < cols; ++q) {
                double alpha = 0, beta = 0, gamma = 0;
                for (int i = 0; i < rows; ++i) {
                    const double up = u[i * cols + p], uq = u[i * cols + q];
                    alpha += up * up;
                    beta += uq * uq;
                    gamma += up * uq;
                }
                if (gamma == 0.0 || std::fabs(gamma) <= 1e-15 * std::sqrt(alpha * beta)) continue;
                settled = false;
                const double zeta = (beta - alpha) / (2.0 * gamma);
                const double t = std::copysign(1.0, zeta) / (std::fabs(zeta) + std::sqrt(1.0 + zeta * zeta));
                const double c = 1.0 / std::sqrt(1.0 + t * t), s = c * t;
                for (int i = 0; i < rows; ++i) {
                    const double up = u[i * cols + p], uq = u[i * cols + q];
                    u[i * cols + p] = c * up - s * uq;
                    u[i * cols + q] = s * up + c * uq;
                }
                for (int i = 0; i < cols; ++i) {
                    const double vp = v[i * cols + p], vq = v[i * cols + q];
                    v[i * cols + p] = c * vp - s * vq;
                    v[i * cols + q] = s * vp + c * vq;
                }
            }
        }
    }
    if (!settled) return false;

    out.rows = rows;
    out.cols = cols;
    out.w.assign(cols, 0.0);
    for (int j = 0; j < cols; ++j) {
        double norm = 0;
        for (int i = 0; i < rows; ++i) norm += u[i * cols + j] * u[i * cols + j];
        norm = std::sqrt(norm);
        out.w[j] = norm;
        if (norm > 0)
            for (int i = 0; i < rows; ++i) u[i * cols + j] /= norm;
    }
    out.u = std::move(u);
    out.v = std::move(v);
    return true;
}

std::vector<double> BackSubstitute(const Svd& svd, const std::vector<double>& b) {
    const double largest = svd.w.empty() ? 0.0 : *std::max_element(svd.w.begin(), svd.w.end());
    std::vector<double> projected(svd.cols, 0.0);
    for (int j = 0; j < svd.cols; ++j) {
        if (svd.w[j] <= kRelativeCutoff * largest || svd.w[j] == 0.0) continue;
        double sum = 0;
        for (int i = 0; i < svd.rows; ++i) sum += svd.U(i, j) * b[i];
        projected[j] = sum / svd.w[j];
    }
    std::vector<double> x(svd.cols, 0.0);
    for (int i = 0; i < svd.cols; ++i)
        for (int j = 0; j < svd.cols; ++j) x[i] += svd.V(i, j) * projected[j];
    return x;
}

double FQuantile2(double p, int n) {
    if (n <= 0 || !(p > 0.0 && p < 1.0)) return std::nan("");
    return 0.5 * n * (std::pow(1.0 - p, -2.0 / n) - 1.0);
}

}  // namespace zel

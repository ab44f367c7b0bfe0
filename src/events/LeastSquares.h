#pragma once
// The small dense linear algebra of the hypocentre search: a singular value decomposition for
// the Geiger step and the F-distribution quantile of the error ellipse.

#include <vector>

namespace zel {

// A = U diag(w) V^T for an m x n matrix (row-major, m >= n): U is m x n with orthonormal columns,
// V is n x n orthogonal.
struct Svd {
    int rows = 0;
    int cols = 0;
    std::vector<double> u;  // rows x cols
    std::vector<double> w;  // cols, not negative
    std::vector<double> v;  // cols x cols

    double U(int i, int j) const { return u[i * cols + j]; }
    double V(int i, int j) const { return v[i * cols + j]; }
};

// One-sided Jacobi rotations. False when the matrix holds a value that is not finite, has fewer
// rows than columns, or the rotations do not settle.
bool Decompose(const std::vector<double>& a, int rows, int cols, Svd& out);

// The least-squares x of A x = b from the decomposition; singular values below 1e-10 of the
// largest count as 0 (that direction is left out rather than blown up).
std::vector<double> BackSubstitute(const Svd& svd, const std::vector<double>& b);

// The value the F distribution with 2 and n degrees of freedom stays below with probability p
// (closed form: P(F <= x) = 1 - (1 + 2x/n)^(-n/2)).
double FQuantile2(double p, int n);

}  // namespace zel

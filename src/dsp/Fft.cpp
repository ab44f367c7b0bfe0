#include "dsp/Fft.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace zel {
namespace {

constexpr double kPi = 3.141592653589793;

using Complex = std::complex<double>;

bool IsPowerOfTwo(std::size_t n) { return n != 0 && (n & (n - 1)) == 0; }

// Iterative radix-2 with twiddles taken from one table of exact values, so the error does not
// grow with the length as a recurrence's would.
void Radix2(std::vector<Complex>& x, int sign) {
    const std::size_t n = x.size();
    if (n < 2) return;
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(x[i], x[j]);
    }
    std::vector<Complex> twiddle(n / 2);
    for (std::size_t k = 0; k < n / 2; ++k)
        twiddle[k] = std::polar(1.0, sign * 2.0 * kPi * static_cast<double>(k) / static_cast<double>(n));
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::size_t half = len / 2;
        const std::size_t step = n / len;
        for (std::size_t start = 0; start < n; start += len) {
            for (std::size_t k = 0; k < half; ++k) {
                const Complex t = x[start + k + half] * twiddle[k * step];
                x[start + k + half] = x[start + k] - t;
                x[start + k] += t;
            }
        }
    }
}

// jk = (j^2 + k^2 - (k - j)^2) / 2 turns the transform into a convolution with a chirp.
void Bluestein(std::vector<Complex>& x, int sign) {
    const std::size_t n = x.size();
    const std::size_t m = PowerOfTwoAtLeast(2 * n - 1);
    // exp(sign * pi i k^2 / n) with k^2 reduced modulo 2n, so the angle stays small and exact.
    std::vector<Complex> chirp(n);
    const std::uint64_t period = 2 * static_cast<std::uint64_t>(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::uint64_t kk = (static_cast<std::uint64_t>(k) * k) % period;
        chirp[k] = std::polar(1.0, sign * kPi * static_cast<double>(kk) / static_cast<double>(n));
    }
    std::vector<Complex> a(m), b(m);
    for (std::size_t k = 0; k < n; ++k) a[k] = x[k] * chirp[k];
    b[0] = std::conj(chirp[0]);
    for (std::size_t k = 1; k < n; ++k) b[k] = b[m - k] = std::conj(chirp[k]);
    Radix2(a, -1);
    Radix2(b, -1);
    for (std::size_t k = 0; k < m; ++k) a[k] *= b[k];
    Radix2(a, +1);
    const double scale = 1.0 / static_cast<double>(m);
    for (std::size_t k = 0; k < n; ++k) x[k] = a[k] * scale * chirp[k];
}

}  // namespace

std::size_t PowerOfTwoAtLeast(std::size_t n) {
    std::size_t p = 2;
    while (p < n) p <<= 1;
    return p;
}

void Dft(std::vector<Complex>& x, int sign) {
    if (x.size() < 2) return;
    if (IsPowerOfTwo(x.size()))
        Radix2(x, sign);
    else
        Bluestein(x, sign);
}

}  // namespace zel

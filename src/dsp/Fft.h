#pragma once
// Discrete Fourier transform of any length in O(N log N): radix-2 for powers of two, Bluestein's
// chirp transform (over a power-of-two convolution) for every other length.

#include <complex>
#include <cstddef>
#include <vector>

namespace zel {

// In place: X_k = sum_j x_j * exp(sign * 2 pi i j k / N), sign -1 (forward) or +1. No scaling.
void Dft(std::vector<std::complex<double>>& x, int sign);

// The smallest of 2, 4, 8, ... that is not less than n.
std::size_t PowerOfTwoAtLeast(std::size_t n);

}  // namespace zel

#pragma once
// Value axes of the plot windows (distance, residual, azimuth): round tick values and the linear
// mapping between values and pixels.

#include <string>
#include <vector>

namespace zel {

struct AxisTicks {
    double step = 0;             // 1, 2 or 5 times a power of ten
    std::vector<double> values;  // the multiples of step in [lo, hi], ascending
};

// At most maxTicks (at least 2) round values in [lo, hi]; none for an empty or non-finite range.
AxisTicks RoundTicks(double lo, double hi, int maxTicks);

// A tick value with as many decimals as its step needs ("0.5", "10", "-2.5").
std::string TickText(double value, double step);

// [v0, v1] onto the pixels [p0, p1]; p1 may lie below p0 (a vertical axis grows upwards).
struct AxisMap {
    double v0 = 0, v1 = 1;
    double p0 = 0, p1 = 1;

    double pixel(double v) const { return v1 == v0 ? p0 : p0 + (v - v0) * (p1 - p0) / (v1 - v0); }
    double value(double p) const { return p1 == p0 ? v0 : v0 + (p - p0) * (v1 - v0) / (p1 - p0); }
};

}  // namespace zel

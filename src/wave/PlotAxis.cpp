#include "wave/PlotAxis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zel {

AxisTicks RoundTicks(double lo, double hi, int maxTicks) {
    AxisTicks ticks;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) return ticks;
    maxTicks = std::max(2, maxTicks);
    const double rough = (hi - lo) / (maxTicks - 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        ticks.step = factor * power;
        if (std::floor(hi / ticks.step) - std::ceil(lo / ticks.step) + 1 <= maxTicks) break;
    }
    // Whole multiples, so that 0.1 + 0.2 never prints as 0.30000000000000004.
    for (double k = std::ceil(lo / ticks.step - 1e-9); k * ticks.step <= hi + ticks.step * 1e-9; k += 1)
        ticks.values.push_back(k * ticks.step == 0 ? 0.0 : k * ticks.step);
    return ticks;
}

std::string TickText(double value, double step) {
    const int decimals =
        step > 0 ? std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 6) : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    if (std::string(text).find_first_not_of("-0.") == std::string::npos)
        return decimals ? "0." + std::string(decimals, '0') : "0";
    return text;
}

}  // namespace zel

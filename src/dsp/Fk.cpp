#include "dsp/Fk.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zel {
namespace {

struct Span {
    double t1 = 0.0;
    double t2 = 0.0;
};

Span MarkedSpan(const std::vector<FkChannel>& channels) {
    Span s{INFINITY, -INFINITY};
    for (const FkChannel& c : channels) {
        s.t1 = std::min({s.t1, c.mark1, c.mark2});
        s.t2 = std::max({s.t2, c.mark1, c.mark2});
    }
    return s;
}

// Adds the channel, moved by delay, into the beam bins of [t1, t2); a sample at t2 stays out.
void Stack(const FkChannel& c, double delay, Span span, std::vector<double>& beam) {
    const double offset = (c.start - span.t1) + delay;  // sample times counted from t1
    const double length = span.t2 - span.t1;
    const double first = std::trunc(-offset * c.sps);
    std::size_t k = first > 0 ? static_cast<std::size_t>(first) : 0;
    for (; k < c.samples.size(); ++k) {
        const double t = offset + static_cast<double>(k) / c.sps;
        if (t > length) break;
        if (const auto bin = BinOf(t, length, beam.size())) beam[*bin] += c.samples[k];
    }
}

}  // namespace

std::size_t FkBeamLength(const std::vector<FkChannel>& channels, double referenceSps) {
    if (channels.empty() || !(referenceSps > 0)) return 0;
    const Span s = MarkedSpan(channels);
    const double n = std::trunc((s.t2 - s.t1) * referenceSps + 0.5);
    return std::isfinite(n) && n > 0 ? static_cast<std::size_t>(n) : 0;
}

FkResult FkGridSearch(const std::vector<FkChannel>& channels, double referenceSps, const FkGrid& grid) {
    FkResult result;
    const std::size_t n = FkBeamLength(channels, referenceSps);
    if (n == 0 || grid.intervals < 1 || !(grid.max > grid.min)) return result;
    const Span span = MarkedSpan(channels);
    const double step = (grid.max - grid.min) / grid.intervals;
    std::vector<double> beam(n);
    result.points.reserve(static_cast<std::size_t>(grid.intervals) *
                          static_cast<std::size_t>(grid.intervals));
    // Points by index, not by adding the step: a rounding error must not add a row at max.
    for (int i = 0; i < grid.intervals; ++i) {
        const double px = grid.min + i * step;
        for (int j = 0; j < grid.intervals; ++j) {
            const double py = grid.min + j * step;
            std::fill(beam.begin(), beam.end(), 0.0);
            for (const FkChannel& c : channels)
                if (c.sps > 0) Stack(c, FkDelay(px, py, c.dnorth, c.deast), span, beam);
            double power = 0.0;
            for (double v : beam) power += v * v;
            if (result.points.empty() || power > result.points[result.best].power)
                result.best = result.points.size();
            result.points.push_back({static_cast<float>(px), static_cast<float>(py), power});
        }
    }
    const double largest = result.points[result.best].power;
    if (largest > 0) {
        for (FKParam& p : result.points) p.power /= largest;
        const auto [lo, hi] =
            std::minmax_element(result.points.begin(), result.points.end(),
                                [](const FKParam& a, const FKParam& b) { return a.power < b.power; });
        result.minPower = lo->power;
        result.maxPower = hi->power;
    }
    const FKParam& b = result.points[result.best];
    result.azimuth = std::atan2(b.px, b.py) * 180.0 / std::numbers::pi;
    if (result.azimuth < 0) result.azimuth += 360.0;
    result.slowness = std::hypot(static_cast<double>(b.px), static_cast<double>(b.py));
    return result;
}

}  // namespace zel

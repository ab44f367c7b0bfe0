#include "dsp/Fk.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "base/ParallelFor.h"

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

// The exact position of sample k in bins, as BinOf computes it.
double BinPosition(double offset, std::size_t k, double sps, double length, std::size_t n) {
    const double t = offset + static_cast<double>(k) / sps;
    return static_cast<double>(n) * t / length + 1e-6;
}

// The samples [begin, end) whose bins are k + shift, when the channel's rate matches the beam's:
// then the bins are the sample indices moved by one shift and the stacking is a contiguous add.
// The bin position less k is linear in k, so when it lies well inside one bin at both ends of
// the run it does so all along and the rounding of the per-sample formula cannot move a sample
// to another bin. Nothing when that cannot be shown; the caller then bins sample by sample.
struct ShiftedRun {
    std::size_t begin = 0, end = 0;
    std::ptrdiff_t shift = 0;
};
std::optional<ShiftedRun> ContiguousRun(double offset, std::size_t k0, std::size_t size, double sps,
                                        double length, std::size_t n) {
    constexpr double kMargin = 1e-7;  // bins; far above the formula's rounding for any beam below
    constexpr std::size_t kLongestBeam = 10'000'000;
    const double binsPerSample = static_cast<double>(n) / (length * sps);
    if (k0 >= size || n > kLongestBeam || !(std::fabs(binsPerSample - 1.0) < 1e-9)) return std::nullopt;
    const double first = std::floor(BinPosition(offset, k0, sps, length, n));
    if (!(std::fabs(first) < 1e15)) return std::nullopt;
    ShiftedRun run;
    run.shift = static_cast<std::ptrdiff_t>(first) - static_cast<std::ptrdiff_t>(k0);
    const std::ptrdiff_t lo = std::max<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(k0), -run.shift);
    const std::ptrdiff_t hi = std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(size),
                                                       static_cast<std::ptrdiff_t>(n) - run.shift);
    if (lo >= hi) return run;  // no sample falls in the beam
    run.begin = static_cast<std::size_t>(lo);
    run.end = static_cast<std::size_t>(hi);
    for (std::size_t k : {run.begin, run.end - 1}) {
        const double inside = BinPosition(offset, k, sps, length, n) -
                              static_cast<double>(static_cast<std::ptrdiff_t>(k) + run.shift);
        if (!(inside >= kMargin && inside <= 1.0 - kMargin)) return std::nullopt;
    }
    return run;
}

// Adds the channel, moved by delay, into the beam bins of [t1, t2); a sample at t2 stays out.
void Stack(const FkChannel& c, double delay, Span span, double* beam, std::size_t bins) {
    const double offset = (c.start - span.t1) + delay;  // sample times counted from t1
    const double length = span.t2 - span.t1;
    const double first = std::trunc(-offset * c.sps);
    std::size_t k = first > 0 ? static_cast<std::size_t>(first) : 0;
    if (const auto run = ContiguousRun(offset, k, c.samples.size(), c.sps, length, bins)) {
        const float* x = c.samples.data() + run->begin;
        double* out = beam + (static_cast<std::ptrdiff_t>(run->begin) + run->shift);
        const std::size_t count = run->end - run->begin;
        std::size_t i = 0;
        // Four at a time: independent adds the compiler turns into vector ones.
        for (; i + 4 <= count; i += 4)
            for (std::size_t l = 0; l < 4; ++l) out[i + l] += x[i + l];
        for (; i < count; ++i) out[i] += x[i];
        return;
    }
    for (; k < c.samples.size(); ++k) {
        const double t = offset + static_cast<double>(k) / c.sps;
        if (t > length) break;
        if (const auto bin = BinOf(t, length, bins)) beam[*bin] += c.samples[k];
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
    const std::size_t side = static_cast<std::size_t>(grid.intervals);
    result.points.resize(side * side);
    // Rows are independent: each writes only its own points. Within a row the beams of four
    // neighbouring points are summed side by side, each in its own sample order, so every power
    // is the same number a point-by-point loop gives.
    ParallelFor(side, [&](std::size_t firstRow, std::size_t endRow) {
        constexpr std::size_t kLanes = 4;
        std::vector<double> beams(kLanes * n);
        for (std::size_t i = firstRow; i < endRow; ++i) {
            // Points by index, not by adding the step: a rounding error must not add a row at max.
            const double px = grid.min + static_cast<double>(i) * step;
            for (std::size_t j0 = 0; j0 < side; j0 += kLanes) {
                const std::size_t lanes = std::min(kLanes, side - j0);
                std::fill(beams.begin(), beams.end(), 0.0);
                for (std::size_t l = 0; l < lanes; ++l) {
                    const double py = grid.min + static_cast<double>(j0 + l) * step;
                    double* beam = beams.data() + l * n;
                    for (const FkChannel& c : channels)
                        if (c.sps > 0) Stack(c, FkDelay(px, py, c.dnorth, c.deast), span, beam, n);
                }
                double power[kLanes] = {0, 0, 0, 0};
                for (std::size_t k = 0; k < n; ++k)
                    for (std::size_t l = 0; l < kLanes; ++l) power[l] += beams[l * n + k] * beams[l * n + k];
                for (std::size_t l = 0; l < lanes; ++l) {
                    const double py = grid.min + static_cast<double>(j0 + l) * step;
                    result.points[i * side + j0 + l] = {static_cast<float>(px), static_cast<float>(py),
                                                        power[l]};
                }
            }
        }
    });
    for (std::size_t p = 1; p < result.points.size(); ++p)
        if (result.points[p].power > result.points[result.best].power) result.best = p;
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

#include "dsp/FormulaChannels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/LargeBuffer.h"

namespace zel {
namespace {

// Sample positions are time differences times a rate; with epoch times near 1.5e9 a product can
// land a hair off the whole number it stands for (0.07 s at 100 sps gives 6.9999...). Such a hair
// must not move a sample. No real offset comes this close to a whole sample.
constexpr double kSampleTolerance = 1e-3;

// Truncation toward zero that forgives the hair, limited so that it converts to int64 safely.
std::int64_t TruncSamples(double x) {
    constexpr double kLimit = 4.0e18;
    if (std::isnan(x)) return 0;
    const double t = x >= 0 ? std::floor(x + kSampleTolerance) : std::ceil(x - kSampleTolerance);
    return static_cast<std::int64_t>(std::clamp(t, -kLimit, kLimit));
}

const ZELDataBlock* FirstTimedBlock(const ZELDataBlockArray& raw) {
    for (const ZELDataBlock& b : raw.blocks)
        if (b.HasTimeAxis() && !b.Empty()) return &b;
    return nullptr;
}

// Marks sorted, and both inside [start, start + length] with the earlier one before the end.
bool MarksInside(double start, double length, TimeSpan& marks) {
    if (marks.start > marks.end) std::swap(marks.start, marks.end);
    const double end = start + length;
    return start <= marks.start && marks.start < end && start <= marks.end && marks.end <= end;
}

SignalVector Sized(std::int64_t n, double dx, const char* what) {
    CheckSignalCount(static_cast<double>(n), what);
    return SignalVector::Filled(static_cast<std::size_t>(n), dx, 0.0, what);
}

// Room for n samples, none written yet: a channel-day is then written once, not zeroed first.
template <class T = double>
std::vector<T> Room(std::int64_t n, const char* what) {
    CheckSignalCount(static_cast<double>(n), what);
    std::vector<T> out;
    ReserveLarge(out, static_cast<std::size_t>(n));
    return out;
}

SignalVector Converted(std::span<const float> samples, double dx, const char* what) {
    std::vector<double> out = Room(static_cast<std::int64_t>(samples.size()), what);
    out.assign(samples.begin(), samples.end());
    return SignalVector(std::move(out), dx);
}

// The raw blocks laid over the span as ChannelSpanSignal describes it, with their rate; empty
// where there is nothing to lay out.
template <class T>
std::vector<T> LaidOverSpan(const ZELDataBlockArray& raw, double spanStart, double spanLength,
                            const char* what, double& rate) {
    const ZELDataBlock* first = FirstTimedBlock(raw);
    if (first == nullptr || !(spanLength > 0) || !std::isfinite(spanLength)) return {};
    rate = first->sps;
    const std::int64_t count = TruncSamples(spanLength * rate);
    if (count < 1) return {};
    const double factor = static_cast<double>(count - 1) / spanLength;
    struct Placement {
        std::int64_t at, from, to;  // block samples [from, to) go to at + from on
    };
    const auto place = [&](const ZELDataBlock& b) {
        const std::int64_t at = TruncSamples((b.begin - spanStart) * factor);
        return Placement{at, std::max<std::int64_t>(0, -at),
                         std::min<std::int64_t>(static_cast<std::int64_t>(b.Count()), count - at)};
    };
    std::vector<T> out = Room<T>(count, what);
    // Later blocks win the samples they share with earlier ones. Blocks that each reach past
    // those before them (time order, the usual layout, neighbours sharing a sample at most) are
    // therefore written one after the other, each cutting back what it overlaps; any other
    // layout is zeroed first and every block copied over.
    bool inOrder = true;
    for (const ZELDataBlock& b : raw.blocks) {
        const Placement p = place(b);
        if (p.from >= p.to) continue;
        if (p.at + p.to < static_cast<std::int64_t>(out.size())) {
            inOrder = false;
            break;
        }
        out.resize(static_cast<std::size_t>(p.at + p.from), 0);
        out.insert(out.end(), b.samples.begin() + p.from, b.samples.begin() + p.to);
    }
    if (inOrder) {
        out.resize(static_cast<std::size_t>(count), 0);
    } else {
        out.assign(static_cast<std::size_t>(count), 0);
        for (const ZELDataBlock& b : raw.blocks) {
            const Placement p = place(b);
            for (std::int64_t j = p.from; j < p.to; ++j)
                out[static_cast<std::size_t>(p.at + j)] = b.samples[static_cast<std::size_t>(j)];
        }
    }
    return out;
}

}  // namespace

SignalVector ChannelSpanSignal(const ZELDataBlockArray& raw, double spanStart, double spanLength,
                               const char* what) {
    double rate = 0;
    std::vector<double> out = LaidOverSpan<double>(raw, spanStart, spanLength, what, rate);
    if (out.empty()) return SignalVector();
    return SignalVector(std::move(out), 1.0 / rate);
}

std::vector<float> ChannelSpanFloats(const ZELDataBlockArray& raw, double spanStart, double spanLength,
                                     double& rate, const char* what) {
    return LaidOverSpan<float>(raw, spanStart, spanLength, what, rate);
}

SignalVector ChannelMarkSignal(const ZELDataBlockArray& raw, double spanStart, double spanLength,
                               TimeSpan marks, const char* what) {
    const ZELDataBlock* first = FirstTimedBlock(raw);
    if (first == nullptr || !MarksInside(spanStart, spanLength, marks)) return SignalVector();
    const double rate = first->sps;
    const double m1 = marks.start;
    const double m2 = marks.end;
    const std::int64_t count =
        TruncSamples((m2 - spanStart) * rate) - TruncSamples((m1 - spanStart) * rate) + 1;
    if (count < 1) return SignalVector();
    SignalVector out = Sized(count, 1.0 / rate, what);
    // Marks less than one sample apart would make the scale 0 (every sample on index 0) or 0/0:
    // then the samples keep their own spacing.
    const double factor = count > 1 && m2 > m1 ? static_cast<double>(count - 1) / (m2 - m1) : rate;
    // Only the samples whose time lies within one index step of the marks can land inside.
    const double tLow = m1 - 1.0 / factor;
    const double tHigh = m1 + static_cast<double>(count) / factor;
    for (const ZELDataBlock& b : raw.blocks) {
        const std::int64_t n = static_cast<std::int64_t>(b.Count());
        const std::int64_t from = std::max<std::int64_t>(0, TruncSamples((tLow - b.begin) * rate) - 2);
        const std::int64_t to = std::min<std::int64_t>(n, TruncSamples((tHigh - b.begin) * rate) + 2);
        for (std::int64_t j = from; j < to; ++j) {
            const double t = b.begin + static_cast<double>(j) / rate;
            const std::int64_t k = TruncSamples((t - m1) * factor);
            if (k >= 0 && k < count)
                out[static_cast<std::size_t>(k)] = b.samples[static_cast<std::size_t>(j)];
        }
    }
    return out;
}

SignalVector WholeTransformedSignal(std::span<const float> samples, double rate, const char* what) {
    if (samples.empty()) return SignalVector();
    return Converted(samples, rate > 0 ? 1.0 / rate : 1.0, what);
}

SignalVector TransformedMarkSignal(std::span<const float> samples, double rate, double spanStart,
                                   double spanLength, TimeSpan marks, const char* what) {
    if (samples.empty() || !(rate > 0) || !MarksInside(spanStart, spanLength, marks)) return SignalVector();
    const std::int64_t i1 = TruncSamples((marks.start - spanStart) * rate);
    // The later mark may sit at the very end of the window, one past the last sample.
    const std::int64_t i2 = std::min<std::int64_t>(TruncSamples((marks.end - spanStart) * rate),
                                                   std::int64_t(samples.size()) - 1);
    if (i1 < 0 || i1 > i2) return SignalVector();
    return Converted(samples.subspan(static_cast<std::size_t>(i1), static_cast<std::size_t>(i2 - i1 + 1)),
                     1.0 / rate, what);
}

}  // namespace zel

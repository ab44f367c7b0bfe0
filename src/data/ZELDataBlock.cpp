#include "data/ZELDataBlock.h"

#include <algorithm>
#include <cmath>

#include "base/ZelError.h"

namespace zel {
namespace {

// Sample offsets and counts are time differences times a rate. With epoch times near 1.4e9 the
// product can land a hair below the whole number it stands for (0.07 s at 100 sps gives
// 6.9999...); such a hair must not cost a sample. No real offset is this close to a sample.
constexpr double kSampleTolerance = 1e-3;

// Whole samples in x, truncated, limited to [0, limit]; NaN counts as none.
std::size_t ToSamples(double x, std::size_t limit) {
    if (!(x > 0.0)) return 0;
    const double v = std::floor(x + kSampleTolerance);
    if (v >= static_cast<double>(limit)) return limit;
    return static_cast<std::size_t>(v);
}

double Apply(double a, ArithOp op, double b) {
    switch (op) {
        case ArithOp::Add:
            return a + b;
        case ArithOp::Subtract:
            return a - b;
        case ArithOp::Multiply:
            return a * b;
        case ArithOp::Divide:
            return b == 0.0 ? 0.0 : a / b;
    }
    return 0.0;
}

// A new block on the same time axis as `shape`; calib and calper stay at 1.
ZELDataBlock SameAxis(const ZELDataBlock& shape) {
    ZELDataBlock r;
    r.sps = shape.sps;
    r.begin = shape.begin;
    r.samples.resize(shape.Count());
    return r;
}

}  // namespace

std::optional<TimeSpan> Overlap(double a1, double a2, double b1, double b2) {
    double start;
    if (b1 <= a1 && a1 <= b2) {
        start = a1;
    } else if (a1 <= b1 && b1 <= a2) {
        start = b1;
    } else {
        return std::nullopt;
    }
    const double end = std::min(a2, b2);
    if (end < start) return std::nullopt;
    return TimeSpan{start, end};
}

bool ZELDataBlock::HasTimeAxis() const { return std::isfinite(sps) && sps > 0.0; }

double ZELDataBlock::Duration() const { return HasTimeAxis() ? static_cast<double>(Count()) / sps : 0.0; }

ZELDataBlock BlockScalarOp(const ZELDataBlock& block, ArithOp op, double x) {
    if (op == ArithOp::Divide && x == 0.0) throw ZelError("Zero Divide");
    ZELDataBlock r = SameAxis(block);
    for (std::size_t k = 0; k < block.Count(); ++k)
        r.samples[k] = static_cast<float>(Apply(block.samples[k], op, x));
    return r;
}

ZELDataBlock ScalarBlockOp(double x, ArithOp op, const ZELDataBlock& block) {
    ZELDataBlock r = SameAxis(block);
    for (std::size_t k = 0; k < block.Count(); ++k)
        r.samples[k] = static_cast<float>(Apply(x, op, block.samples[k]));
    return r;
}

ZELDataBlock BlockOp(const ZELDataBlock& left, const ZELDataBlock& right, ArithOp op) {
    if (!left.HasTimeAxis() || !right.HasTimeAxis() || left.sps != right.sps) return {};
    auto common = Overlap(left.begin, left.End(), right.begin, right.End());
    if (!common) return {};
    const double sps = left.sps;
    const std::size_t i = ToSamples((common->start - left.begin) * sps, left.Count());
    const std::size_t j = ToSamples((common->start - right.begin) * sps, right.Count());
    std::size_t n = ToSamples((common->end - common->start) * sps, left.Count());
    n = std::min({n, left.Count() - i, right.Count() - j});

    ZELDataBlock r;
    r.sps = sps;
    r.begin = common->start;
    r.samples.resize(n);
    for (std::size_t k = 0; k < n; ++k)
        r.samples[k] = static_cast<float>(Apply(left.samples[i + k], op, right.samples[j + k]));
    return r;
}

std::optional<ZELDataBlock> CutWindow(const ZELDataBlock& block, double t1, double t2) {
    const std::size_t a = block.Count();
    if (a == 0 || !block.HasTimeAxis()) return std::nullopt;
    const double c = block.begin;
    const double f = block.sps;
    const double end = block.End();
    const double stop = std::min(t2, end);

    std::size_t j = 0;
    std::size_t n = 0;
    double newBegin = c;
    if (t1 <= c && c <= t2) {
        n = ToSamples(f * (stop - c), a);
    } else if (c < t1 && t1 < end) {
        j = ToSamples(f * (t1 - c), a);
        newBegin = c + static_cast<double>(j) / f;
        n = ToSamples(f * (stop - newBegin), a);
    } else {
        return std::nullopt;
    }
    // Up to and including the block's last sample: repeated cuts must not eat into the data.
    n = std::min(n, a - j);
    if (n == 0) return std::nullopt;

    ZELDataBlock r;
    r.sps = f;
    r.begin = newBegin;
    r.samples.assign(block.samples.begin() + static_cast<std::ptrdiff_t>(j),
                     block.samples.begin() + static_cast<std::ptrdiff_t>(j + n));
    return r;
}

ZELDataBlock operator+(const ZELDataBlock& block, double x) { return BlockScalarOp(block, ArithOp::Add, x); }
ZELDataBlock operator-(const ZELDataBlock& block, double x) {
    return BlockScalarOp(block, ArithOp::Subtract, x);
}
ZELDataBlock operator*(const ZELDataBlock& block, double x) {
    return BlockScalarOp(block, ArithOp::Multiply, x);
}
ZELDataBlock operator/(const ZELDataBlock& block, double x) {
    return BlockScalarOp(block, ArithOp::Divide, x);
}

}  // namespace zel

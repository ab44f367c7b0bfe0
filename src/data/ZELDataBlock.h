#pragma once
// One gap-free run of samples of one channel, and the arithmetic the formula language does on
// such runs. A plain value: copies are deep, the sample count is the vector's size.

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace zel {

enum class ArithOp { Add, Subtract, Multiply, Divide };

struct TimeSpan {
    double start = 0.0;
    double end = 0.0;
};

// The common part of [a1, a2] and [b1, b2]; touching intervals share one point. nullopt when
// they are apart or one of them runs backwards.
std::optional<TimeSpan> Overlap(double a1, double a2, double b1, double b2);

class ZELDataBlock {
  public:
    std::vector<float> samples;
    double sps = 0.0;    // samples per second
    double begin = 0.0;  // epoch seconds of the first sample
    double calib = 1.0;
    double calper = 1.0;

    ZELDataBlock() = default;
    ZELDataBlock(double begin, double sps, std::vector<float> samples)
        : samples(std::move(samples)), sps(sps), begin(begin) {}
    virtual ~ZELDataBlock() = default;
    ZELDataBlock(const ZELDataBlock&) = default;
    ZELDataBlock(ZELDataBlock&&) = default;
    ZELDataBlock& operator=(const ZELDataBlock&) = default;
    ZELDataBlock& operator=(ZELDataBlock&&) = default;

    std::size_t Count() const { return samples.size(); }
    bool Empty() const { return samples.empty(); }

    // A block without a usable rate (0, negative, NaN) has no length in time: it cannot be
    // placed against a window or another block, and nothing divides by its rate.
    bool HasTimeAxis() const;
    double Duration() const;
    double End() const { return begin + Duration(); }  // exclusive
};

// Every sample op x. Division by exactly 0 throws ZelError "Zero Divide". The result keeps the
// block's rate and begin; calib and calper become 1, the samples no longer being raw counts.
ZELDataBlock BlockScalarOp(const ZELDataBlock& block, ArithOp op, double x);
// x op every sample; where a divisor sample is 0 the result is 0, as in BlockOp.
ZELDataBlock ScalarBlockOp(double x, ArithOp op, const ZELDataBlock& block);

// Sample-by-sample over the time both blocks cover. Blocks of different rates, or that do not
// overlap, give an empty block. Where a divisor sample is 0 the result is 0.
ZELDataBlock BlockOp(const ZELDataBlock& left, const ZELDataBlock& right, ArithOp op);

// The part of the block that lies in [t1, t2): from the sample at or before t1 (or the first)
// up to the last sample before t2 (or the last). nullopt when nothing of the block is inside.
// Cutting a block to its own span gives the whole block back.
std::optional<ZELDataBlock> CutWindow(const ZELDataBlock& block, double t1, double t2);

ZELDataBlock operator+(const ZELDataBlock& block, double x);
ZELDataBlock operator-(const ZELDataBlock& block, double x);
ZELDataBlock operator*(const ZELDataBlock& block, double x);
ZELDataBlock operator/(const ZELDataBlock& block, double x);

}  // namespace zel

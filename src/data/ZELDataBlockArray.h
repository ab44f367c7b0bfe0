#pragma once
// One channel: its station and channel codes and its gap-free blocks in time order. Inside
// formula arithmetic the same object may stand for a plain number instead (the scalar form).

#include <string>
#include <utility>
#include <vector>

#include "data/ZELDataBlock.h"

namespace zel {

struct AmplitudeRange {
    double min = -1.0;
    double max = 1.0;
};

class ZELDataBlockArray {
  public:
    std::vector<ZELDataBlock> blocks;
    bool isScalar = false;
    double scalar = 0.0;
    std::string station;
    std::string channel;

    ZELDataBlockArray() = default;
    ZELDataBlockArray(std::string station, std::string channel)
        : station(std::move(station)), channel(std::move(channel)) {}
    virtual ~ZELDataBlockArray() = default;
    ZELDataBlockArray(const ZELDataBlockArray&) = default;
    ZELDataBlockArray(ZELDataBlockArray&&) = default;
    ZELDataBlockArray& operator=(const ZELDataBlockArray&) = default;
    ZELDataBlockArray& operator=(ZELDataBlockArray&&) = default;

    static ZELDataBlockArray Scalar(double x);

    // Drops every block and the scalar form; the codes stay.
    void Clear();
    // A channel that receives a block is no longer a number.
    void Append(ZELDataBlock block);
    void SetScalar(double x);
    bool IsScalarValue(double x) const { return isScalar && scalar == x; }

    std::size_t TotalCount() const;
    // Over every finite sample of every block; (-1, 1) when there is none, so a scale can
    // always be drawn.
    AmplitudeRange MinMax() const;
    // Appends to target the part of each block that lies in the window (see CutWindow).
    void Cut(ZELDataBlockArray& target, double t1, double t2) const;
    // Every sample (or the number) negated; the codes stay.
    ZELDataBlockArray Negate() const;
};

// Channel arithmetic of the formula language. Number op number is a number; channel op number
// and number op channel work block by block; channel op channel combines every pair of blocks
// that share rate and time, dropping pairs that give nothing. Dividing by the number 0 throws
// ZelError "Zero Divide". The result has empty codes: the caller names it.
ZELDataBlockArray ChannelOp(const ZELDataBlockArray& a, const ZELDataBlockArray& b, ArithOp op);

ZELDataBlockArray operator+(const ZELDataBlockArray& a, const ZELDataBlockArray& b);
ZELDataBlockArray operator-(const ZELDataBlockArray& a, const ZELDataBlockArray& b);
ZELDataBlockArray operator*(const ZELDataBlockArray& a, const ZELDataBlockArray& b);
ZELDataBlockArray operator/(const ZELDataBlockArray& a, const ZELDataBlockArray& b);

// The channels of a waveform window or of an import. It owns its channels by value.
using XZELDataBlockArrays = std::vector<ZELDataBlockArray>;

}  // namespace zel

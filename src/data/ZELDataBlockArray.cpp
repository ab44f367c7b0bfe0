#include "data/ZELDataBlockArray.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/ZelError.h"

namespace zel {

ZELDataBlockArray ZELDataBlockArray::Scalar(double x) {
    ZELDataBlockArray r;
    r.SetScalar(x);
    return r;
}

void ZELDataBlockArray::Clear() {
    blocks.clear();
    isScalar = false;
    scalar = 0.0;
}

void ZELDataBlockArray::Append(ZELDataBlock block) {
    isScalar = false;
    blocks.push_back(std::move(block));
}

void ZELDataBlockArray::SetScalar(double x) {
    Clear();
    isScalar = true;
    scalar = x;
}

std::size_t ZELDataBlockArray::TotalCount() const {
    std::size_t n = 0;
    for (const ZELDataBlock& b : blocks) n += b.Count();
    return n;
}

AmplitudeRange ZELDataBlockArray::MinMax() const {
    // A division by a zero sample can leave infinities; they have no place on a scale.
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const ZELDataBlock& b : blocks) {
        for (float s : b.samples) {
            if (!std::isfinite(s)) continue;
            lo = std::min<double>(lo, s);
            hi = std::max<double>(hi, s);
        }
    }
    if (lo > hi) return {};
    return {lo, hi};
}

void ZELDataBlockArray::Cut(ZELDataBlockArray& target, double t1, double t2) const {
    for (const ZELDataBlock& b : blocks) {
        if (auto piece = CutWindow(b, t1, t2)) target.Append(std::move(*piece));
    }
}

ZELDataBlockArray ZELDataBlockArray::Negate() const {
    ZELDataBlockArray r = *this;
    r.scalar = -scalar;
    for (ZELDataBlock& b : r.blocks)
        for (float& s : b.samples) s = -s;
    return r;
}

ZELDataBlockArray ChannelOp(const ZELDataBlockArray& a, const ZELDataBlockArray& b, ArithOp op) {
    // A number divided by zero is no more meaningful than a channel divided by zero.
    if (b.isScalar && op == ArithOp::Divide && b.scalar == 0.0) throw ZelError("Zero Divide");
    ZELDataBlockArray r;
    if (a.isScalar && b.isScalar) {
        switch (op) {
            case ArithOp::Add:
                r.SetScalar(a.scalar + b.scalar);
                break;
            case ArithOp::Subtract:
                r.SetScalar(a.scalar - b.scalar);
                break;
            case ArithOp::Multiply:
                r.SetScalar(a.scalar * b.scalar);
                break;
            case ArithOp::Divide:
                r.SetScalar(a.scalar / b.scalar);
                break;
        }
    } else if (b.isScalar) {
        for (const ZELDataBlock& block : a.blocks) r.Append(BlockScalarOp(block, op, b.scalar));
    } else if (a.isScalar) {
        for (const ZELDataBlock& block : b.blocks) r.Append(ScalarBlockOp(a.scalar, op, block));
    } else {
        for (const ZELDataBlock& left : a.blocks) {
            for (const ZELDataBlock& right : b.blocks) {
                ZELDataBlock piece = BlockOp(left, right, op);
                if (!piece.Empty()) r.Append(std::move(piece));
            }
        }
    }
    return r;
}

ZELDataBlockArray operator+(const ZELDataBlockArray& a, const ZELDataBlockArray& b) {
    return ChannelOp(a, b, ArithOp::Add);
}
ZELDataBlockArray operator-(const ZELDataBlockArray& a, const ZELDataBlockArray& b) {
    return ChannelOp(a, b, ArithOp::Subtract);
}
ZELDataBlockArray operator*(const ZELDataBlockArray& a, const ZELDataBlockArray& b) {
    return ChannelOp(a, b, ArithOp::Multiply);
}
ZELDataBlockArray operator/(const ZELDataBlockArray& a, const ZELDataBlockArray& b) {
    return ChannelOp(a, b, ArithOp::Divide);
}

}  // namespace zel

#include "wave/MinMaxPyramid.h"

#include <cmath>
#include <limits>

namespace zel {
namespace {
constexpr float kInf = std::numeric_limits<float>::infinity();
}

MinMaxPyramid::MinMaxPyramid(const std::vector<float>& samples) {
    // First level from the samples, every further one from the level below it.
    std::size_t count = samples.size();
    const std::vector<float>* lowMin = nullptr;
    const std::vector<float>* lowMax = nullptr;
    while (count > kFanOut) {
        Level level;
        const std::size_t entries = (count + kFanOut - 1) / kFanOut;
        level.min.assign(entries, kInf);
        level.max.assign(entries, -kInf);
        for (std::size_t i = 0; i < count; ++i) {
            float lo, hi;
            if (!lowMin) {
                lo = hi = samples[i];
                if (!std::isfinite(lo)) continue;
            } else {
                lo = (*lowMin)[i];
                hi = (*lowMax)[i];
            }
            std::size_t e = i / kFanOut;
            if (lo < level.min[e]) level.min[e] = lo;
            if (hi > level.max[e]) level.max[e] = hi;
        }
        levels_.push_back(std::move(level));
        lowMin = &levels_.back().min;
        lowMax = &levels_.back().max;
        count = entries;
    }
}

namespace {

// Folds entries [a, b) into lo and hi without a branch per entry; raw samples that are not
// finite count as +inf for the minimum and -inf for the maximum, which changes neither.
void Fold(const float* mins, const float* maxs, std::size_t a, std::size_t b, bool samples, float& lo,
          float& hi) {
    for (std::size_t i = a; i < b; ++i) {
        float l = mins[i], h = maxs[i];
        if (samples && !std::isfinite(l)) {
            l = kInf;
            h = -kInf;
        }
        lo = l < lo ? l : lo;
        hi = h > hi ? h : hi;
    }
}

}  // namespace

std::optional<std::pair<float, float>> MinMaxPyramid::range(const std::vector<float>& samples,
                                                            std::size_t first, std::size_t last) const {
    if (last > samples.size()) last = samples.size();
    if (first >= last) return std::nullopt;
    float lo = kInf, hi = -kInf;
    // Walk up the levels: take the loose entries at both ends of the run on each level, then
    // continue with the whole entries between them one level higher.
    std::size_t a = first, b = last;
    for (std::size_t k = 0;; ++k) {
        const float* mins = k == 0 ? samples.data() : levels_[k - 1].min.data();
        const float* maxs = k == 0 ? samples.data() : levels_[k - 1].max.data();
        if (k == levels_.size() || b - a <= 2 * kFanOut) {
            Fold(mins, maxs, a, b, k == 0, lo, hi);
            break;
        }
        const std::size_t aUp = (a + kFanOut - 1) / kFanOut, bUp = b / kFanOut;
        Fold(mins, maxs, a, aUp * kFanOut, k == 0, lo, hi);
        Fold(mins, maxs, bUp * kFanOut, b, k == 0, lo, hi);
        a = aUp;
        b = bUp;
    }
    if (lo > hi) return std::nullopt;
    return std::make_pair(lo, hi);
}

}  // namespace zel

#include "wave/TraceGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

#include "wave/MinMaxPyramid.h"

namespace zel {

PlotRect PanePlotRect(int width, int height, int axisBand) {
    return {1, kCaptionHeight, width - 2, height - (axisBand + 1)};
}

bool TraceMapping::drawable() const {
    return duration > 0 && std::isfinite(duration) && std::isfinite(start) && max > min &&
           plot.right > plot.left && plot.bottom > plot.top;
}

int TraceMapping::column(double t) const {
    const double x = plot.left + (plot.right - plot.left) * (t - start) / duration;
    // Far outside the plot the exact column no longer matters, only that it is outside.
    return static_cast<int>(std::clamp(x, -1e9, 1e9));
}

int TraceMapping::row(double v) const {
    if (v >= max) return plot.top;
    if (v <= min) return plot.bottom;
    return static_cast<int>(plot.bottom - (v - min) * (plot.bottom - plot.top) / (max - min));
}

namespace {

// Collects the points column by column.
class ColumnPoints {
  public:
    explicit ColumnPoints(std::vector<PixelPoint>& out) : out_(out) {}
    void column(int x, int yTop, int yBottom) {
        out_.push_back({x, yTop});
        if (yBottom != yTop) out_.push_back({x, yBottom});
    }

  private:
    std::vector<PixelPoint>& out_;
};

double SampleTime(double begin, double sps, std::size_t i) { return begin + static_cast<double>(i) / sps; }

}  // namespace

std::vector<PixelPoint> ReduceSamplesDirect(const std::vector<float>& samples, std::size_t count,
                                            double begin, double sps, const TraceMapping& m) {
    std::vector<PixelPoint> points;
    if (!m.drawable() || !(sps > 0) || !std::isfinite(begin)) return points;
    count = std::min(count, samples.size());
    ColumnPoints out(points);
    int current = INT_MIN, yTop = 0, yBottom = 0;
    PixelPoint last{};
    bool any = false;
    for (std::size_t i = 0; i < count; ++i) {
        const float v = samples[i];
        if (!std::isfinite(v)) continue;
        const int x = m.column(SampleTime(begin, sps, i));
        if (x < m.plot.left || x > m.plot.right) continue;
        const int y = m.row(v);
        if (x != current) {
            if (current != INT_MIN) out.column(current, yTop, yBottom);
            current = x;
            yTop = yBottom = y;
        } else {
            yTop = std::min(yTop, y);
            yBottom = std::max(yBottom, y);
        }
        last = {x, y};
        any = true;
    }
    if (any) {
        out.column(current, yTop, yBottom);
        points.push_back(last);
    }
    return points;
}

std::vector<PixelPoint> ReduceSamples(const std::vector<float>& samples, const MinMaxPyramid& pyramid,
                                      std::size_t count, double begin, double sps, const TraceMapping& m) {
    std::vector<PixelPoint> points;
    if (!m.drawable() || !(sps > 0) || !std::isfinite(begin)) return points;
    count = std::min(count, samples.size());
    if (count == 0) return points;
    auto columnOf = [&](std::size_t i) { return m.column(SampleTime(begin, sps, i)); };
    // First sample index whose column is at least x (columns never decrease along the block),
    // searched in [from, count).
    auto search = [&](int x, std::size_t from) {
        std::size_t lo = from, hi = count;
        while (lo < hi) {
            std::size_t mid = lo + (hi - lo) / 2;
            if (columnOf(mid) < x)
                lo = mid + 1;
            else
                hi = mid;
        }
        return lo;
    };
    // The same index, walking from where the inverse of the time mapping puts it: a step or two
    // per column instead of a search over the whole block. The exact column of every sample
    // still decides; a guess that is far off falls back to the search.
    const double samplesPerColumn = m.duration / (m.plot.right - m.plot.left) * sps;
    const double indexAtLeft = (m.start - begin) * sps;
    auto firstAtOrAfter = [&](int x, std::size_t from) {
        const double guess = std::ceil(indexAtLeft + (x - m.plot.left) * samplesPerColumn);
        std::size_t i = std::isfinite(guess)
                            ? static_cast<std::size_t>(
                                  std::clamp(guess, static_cast<double>(from), static_cast<double>(count)))
                            : from;
        for (int steps = 0; steps < 8; ++steps) {
            if (i > from && columnOf(i - 1) >= x)
                --i;
            else if (i < count && columnOf(i) < x)
                ++i;
            else
                return i;
        }
        return search(x, from);
    };
    const int firstColumn = std::max(m.plot.left, columnOf(0));
    const int lastColumn = std::min(m.plot.right, columnOf(count - 1));
    ColumnPoints out(points);
    std::size_t i0 = firstAtOrAfter(firstColumn, 0);
    std::size_t lastEnd = 0;
    int lastX = 0;
    for (int x = firstColumn; x <= lastColumn && i0 < count; ++x) {
        const std::size_t i1 = firstAtOrAfter(x + 1, i0);
        if (auto range = pyramid.range(samples, i0, i1)) {
            out.column(x, m.row(range->second), m.row(range->first));
            lastEnd = i1;
            lastX = x;
        }
        i0 = i1;
    }
    if (points.empty()) return points;
    // The last finite sample of the last column that had one.
    std::size_t i = lastEnd;
    while (i > 0 && !std::isfinite(samples[i - 1])) --i;
    points.push_back({lastX, m.row(samples[i - 1])});
    return points;
}

int PaneHeight(int count, int clientHeight, int minimumHeight) {
    if (count <= 0) return std::max(minimumHeight, clientHeight);
    return std::max(clientHeight / count, minimumHeight);
}

int StackTop(int stackHeight, int clientHeight, int scrollPosition) {
    const int scrollable = std::max(0, stackHeight - clientHeight);
    const int position = std::clamp(scrollPosition, 0, 10000);
    return -static_cast<int>(static_cast<long long>(scrollable) * position / 10000);
}

int ScrollPositionShowingBottom(int stackHeight, int clientHeight, int lineY) {
    const long long scrollable = std::max(0, stackHeight - clientHeight);
    if (scrollable == 0) return 0;
    const long long shift = std::clamp<long long>(lineY - clientHeight, 0, scrollable);
    // Rounded up: StackTop truncates, and the line must not end up below the client area.
    return static_cast<int>((shift * 10000 + scrollable - 1) / scrollable);
}

LabelPair PlaceLabelPair(const PlotRect& plot, int lineHeight) {
    LabelPair pair;
    pair.maxTop = plot.top + 1;
    pair.minTop = plot.bottom - lineHeight;
    // A gap of a third of a line keeps the two from reading as one.
    pair.merged = pair.minTop - (pair.maxTop + lineHeight) < lineHeight / 3;
    if (pair.merged) pair.minTop = pair.maxTop;
    return pair;
}

}  // namespace zel

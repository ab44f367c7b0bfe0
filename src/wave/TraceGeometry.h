#pragma once
// From samples to pixels: the plot rectangle of a pane, the time and amplitude mapping, and the
// per-pixel-column reduction that keeps a redraw at about two points per column.

#include <cstddef>
#include <vector>

namespace zel {

class MinMaxPyramid;

// Inclusive pixel bounds of a pane's plot area.
struct PlotRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Where a side of the plot writes its two amplitude labels, the maximum at the top and the minimum
// at the bottom (the top rows of their text lines): apart when the plot holds both lines with a
// gap between them, else one line at the top carrying both values.
struct LabelPair {
    bool merged = false;
    int maxTop = 0;
    int minTop = 0;
};
LabelPair PlaceLabelPair(const PlotRect& plot, int lineHeight);

struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Pane geometry for a client of width x height; axisBand is the height of the time-axis band
// ("WWW" text height + 7).
PlotRect PanePlotRect(int width, int height, int axisBand);
inline constexpr int kCaptionHeight = 16;

// The view a trace is drawn in: pane interval, plot rectangle and displayed amplitude range.
struct TraceMapping {
    double start = 0;
    double duration = 0;
    PlotRect plot;
    double min = -1;
    double max = 1;

    bool drawable() const;  // a positive duration and a non-empty range
    // Pixel column of a time (truncated, as the trace and the axis both place it).
    int column(double t) const;
    // Pixel row of a value; values outside the range sit on the plot's edge.
    int row(double v) const;
};

// The reference reduction, sample by sample: consecutive samples in one column become that
// column's highest and lowest point, and the last sample's point closes the list. Non-finite
// samples and samples outside the plot's columns are left out.
std::vector<PixelPoint> ReduceSamplesDirect(const std::vector<float>& samples, std::size_t count,
                                            double begin, double sps, const TraceMapping& mapping);

// The same points, found per column through the pyramid: cost O(columns x log samples).
std::vector<PixelPoint> ReduceSamples(const std::vector<float>& samples, const MinMaxPyramid& pyramid,
                                      std::size_t count, double begin, double sps,
                                      const TraceMapping& mapping);

// Equal heights for n panes in a client area, never below the minimum; the stack scrolls when
// the minimum wins. Pane i is at top + i * height and is height - 1 pixels high.
int PaneHeight(int count, int clientHeight, int minimumHeight);

// The stack's top for a scroll position 0..10000.
int StackTop(int stackHeight, int clientHeight, int scrollPosition);
// The scroll position that puts a line `lineY` pixels below the stack's top on the bottom of the
// client area, or as near as the stack allows (0 when it fits).
int ScrollPositionShowingBottom(int stackHeight, int clientHeight, int lineY);

}  // namespace zel

// From samples to pixels: the reduction, the layout, the axis and the pane texts.

#include "wave/TraceGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "base/TimeConversions.h"
#include "wave/MinMaxPyramid.h"
#include "wave/PaneText.h"
#include "wave/TimeAxis.h"
#include "wave/TracePane.h"

namespace zel {
namespace {

TEST(TraceReductionTest, PyramidReductionIsPointForPointTheDirectOne) {
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0, 100);
    std::vector<float> samples(200'003);
    for (float& v : samples) v = noise(random);
    samples[5] = std::numeric_limits<float>::quiet_NaN();
    samples[77'777] = std::numeric_limits<float>::infinity();
    for (int i = 150'000; i < 150'400; ++i) samples[i] = std::numeric_limits<float>::quiet_NaN();
    const MinMaxPyramid pyramid(samples);
    const double begin = 1'371'212'423.37, sps = 100;
    // Zoomed out, zoomed in (fewer samples than columns), partly outside, and a narrow range
    // that clips most samples to the edges.
    const TraceMapping views[] = {
        {begin, 2000.03, {1, 16, 1900, 180}, -300, 300},  {begin + 500, 3.7, {1, 16, 1900, 180}, -300, 300},
        {begin - 100, 1000, {1, 16, 700, 80}, -300, 300}, {begin + 1450, 200, {1, 16, 1000, 120}, -5, 5},
        {begin + 1999, 60, {1, 16, 640, 100}, -300, 300},
    };
    for (const TraceMapping& view : views) {
        auto direct = ReduceSamplesDirect(samples, samples.size(), begin, sps, view);
        auto fast = ReduceSamples(samples, pyramid, samples.size(), begin, sps, view);
        ASSERT_FALSE(direct.empty());
        EXPECT_EQ(fast, direct) << "view starting " << view.start - begin;
        for (const PixelPoint& p : direct) {
            EXPECT_GE(p.x, view.plot.left);
            EXPECT_LE(p.x, view.plot.right);
            EXPECT_GE(p.y, view.plot.top);
            EXPECT_LE(p.y, view.plot.bottom);
        }
        EXPECT_LE(direct.size(), 3u * (view.plot.right - view.plot.left + 1));
    }
}

TEST(TraceReductionTest, ColumnsPixelsAndEdges) {
    // 10 samples over 10 columns: one point per column plus the closing point.
    const TraceMapping m{0, 10, {0, 0, 10, 100}, 0, 100};
    std::vector<float> ramp = {0, 10, 20, 30, 40, 50, 60, 70, 80, 1000};
    auto points = ReduceSamplesDirect(ramp, ramp.size(), 0, 1, m);
    ASSERT_EQ(points.size(), 11u);
    EXPECT_EQ(points[0], (PixelPoint{0, 100}));
    EXPECT_EQ(points[3], (PixelPoint{3, 70}));
    EXPECT_EQ(points[9], (PixelPoint{9, 0}));  // above the maximum: on the top edge
    // Two samples in one column give its top and bottom points.
    auto two = ReduceSamplesDirect({20, 80}, 2, 0, 10, m);
    EXPECT_EQ(two, (std::vector<PixelPoint>{{0, 20}, {0, 80}, {0, 20}}));
    // Nothing is drawn for an empty interval, a zero rate or an empty range.
    EXPECT_TRUE(ReduceSamplesDirect(ramp, 10, 0, 0, m).empty());
    EXPECT_TRUE(ReduceSamplesDirect(ramp, 10, 0, 1, {0, 0, {0, 0, 10, 100}, 0, 100}).empty());
    EXPECT_TRUE(ReduceSamplesDirect(ramp, 10, 0, 1, {0, 10, {0, 0, 10, 100}, 5, 5}).empty());
    // A window far from the samples puts nothing on screen and never overflows.
    EXPECT_TRUE(ReduceSamplesDirect(ramp, 10, 0, 1, {1e15, 1e-9, {0, 0, 10, 100}, 0, 100}).empty());
}

TEST(TracePaneTest, RangesOfNewPanesFlatTracesAndRateMismatch) {
    TracePane flat(0, {0, 0, "ABC", "SHZ", "??", 40}, 0, 10);
    ZELDataBlockArray zeros;
    zeros.blocks.push_back(ZELDataBlock(0, 40, std::vector<float>(400, 0.0f)));
    flat.setData(zeros);
    flat.updateRanges();
    EXPECT_EQ(flat.shownMin(), -1);
    EXPECT_EQ(flat.shownMax(), 1);
    // An all-zero trace is a flat line in the middle of the pane.
    const PlotRect plot{1, 16, 401, 116};
    auto points = ReduceSamples(zeros.blocks[0].samples, flat.pyramid(0), 400, 0, 40, flat.mapping(plot));
    for (const PixelPoint& p : points) EXPECT_EQ(p.y, 66);
    EXPECT_FALSE(flat.rateMismatch());

    TracePane mixed(1, {0, 0, "ABC", "SHZ", "??", 40}, 0, 10);
    ZELDataBlockArray blocks;
    blocks.blocks.push_back(ZELDataBlock(0, 40, {0, 0, 3, -2, std::nanf(""), 0}));
    blocks.blocks.push_back(ZELDataBlock(5, 20, {7, 1}));
    mixed.setData(blocks);
    mixed.updateRanges();
    EXPECT_EQ(mixed.dataMin(), -2);  // the first non-zero sample starts the range
    EXPECT_EQ(mixed.dataMax(), 7);
    EXPECT_TRUE(mixed.rateMismatch());  // 20 sps in a 40 sps channel: red caption
}

TEST(PaneLayoutTest, EqualHeightsUntilTheMinimumThenScrolling) {
    EXPECT_EQ(PaneHeight(10, 1000, 60), 100);
    EXPECT_EQ(PaneHeight(50, 1000, 60), 60);
    EXPECT_EQ(StackTop(50 * 60, 1000, 0), 0);
    EXPECT_EQ(StackTop(50 * 60, 1000, 10000), -2000);
    EXPECT_EQ(StackTop(50 * 60, 1000, 5000), -1000);
    EXPECT_EQ(StackTop(10 * 100, 1000, 10000), 0);  // nothing to scroll
    EXPECT_EQ(PaneHeight(0, 1000, 60), 1000);

    // Amplitude labels of 14-pixel lines: apart while a gap of 4 pixels or more stays, else one.
    struct Case {
        int top, bottom;
        LabelPair expected;
    };
    const Case labels[] = {
        {20, 100, {false, 21, 86}},
        {20, 53, {false, 21, 39}},  // a gap of 4
        {20, 52, {true, 21, 21}},   // 3: merged
        {20, 30, {true, 21, 21}},   // lower than one line
    };
    for (const Case& c : labels) {
        const LabelPair got = PlaceLabelPair({0, c.top, 500, c.bottom}, 14);
        EXPECT_EQ(got.merged, c.expected.merged) << c.bottom;
        EXPECT_EQ(got.maxTop, c.expected.maxTop) << c.bottom;
        EXPECT_EQ(got.minTop, c.expected.minTop) << c.bottom;
    }
}

TEST(TimeAxisTest, LabelStepsAndOverlaps) {
    auto width = [](const std::string& s) { return static_cast<int>(s.size()) * 7; };
    const double t0 = CalendarToEpoch(2013, 6, 14, 12, 20, 0);
    auto labels = TimeAxisLabels({t0, 60, {1, 16, 1000, 100}, -1, 1}, width);
    // 12:20:00 would stick out of the axis at the left edge: dropped.
    ASSERT_EQ(labels.size(), 9u);
    EXPECT_EQ(labels[0].text, "12:20:06");
    EXPECT_EQ(labels[0].x, 1 + 6 * 999 / 60);
    EXPECT_EQ(labels[8].text, "12:20:54");
    // Seconds 1..5 of [0.5, 5.5): a label every second.
    EXPECT_EQ(TimeAxisLabels({t0 + 0.5, 5, {1, 16, 1000, 100}, -1, 1}, width).size(), 5u);
    // On a narrow axis labels that would overlap are dropped, never shifted.
    auto narrow = TimeAxisLabels({t0, 60, {1, 16, 200, 100}, -1, 1}, width);
    ASSERT_GE(narrow.size(), 2u);
    EXPECT_LT(narrow.size(), 10u);
    for (size_t i = 1; i < narrow.size(); ++i) EXPECT_GE(narrow[i].x - narrow[i - 1].x, 49);
    EXPECT_TRUE(TimeAxisLabels({t0, 0, {1, 16, 1000, 100}, -1, 1}, width).empty());
}

TEST(PaneTextTest, CaptionAndReadouts) {
    const double t0 = CalendarToEpoch(2013, 6, 14, 12, 20, 5.5);
    EXPECT_EQ(PaneCaption({3, "ABC", "SHZ", "00", 100, t0, false}),
              "D3    ABC.SHZ.00 100.000 sps 2013-Jun-14");
    EXPECT_EQ(PaneCaption({0, "BEAMX", "BZ", "??", 40, t0, true}),
              "D0 #BEAM# BEAMX.BZ.?? 40.000 sps 2013-Jun-14");
    EXPECT_EQ(PointerReadout(t0, 12.5), "12:20:05.500  14/06/2013 A:12.500000");
    // Rounded before splitting: never 60 seconds.
    EXPECT_EQ(PointerReadout(CalendarToEpoch(2013, 6, 14, 12, 20, 59.9996), 0),
              "12:21:00.000  14/06/2013 A:0.000000");
    EXPECT_EQ(DragReadout(-3723.25, -3), "01:02:03.250  A:3.000000");
}

}  // namespace
}  // namespace zel

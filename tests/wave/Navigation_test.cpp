// Scaling and navigation: the view arithmetic on hand-worked cases, and the window commands over
// active panes, the time alignment and the view stack.

#include "wave/Navigation.h"

#include <gtest/gtest.h>

#include "wave/PaneSet.h"

namespace zel {
namespace {

void ExpectView(const CWindowParam& got, const CWindowParam& expected, const char* what) {
    EXPECT_NEAR(got.start, expected.start, 1e-6) << what;
    CWindowParam rest = got;
    rest.start = expected.start;
    EXPECT_EQ(rest, expected) << what;
}

struct TimeCase {
    const char* what;
    CWindowParam view;
    std::optional<CWindowParam> expected;  // nothing: the command leaves the view
};

TEST(NavigationTest, TimeSteps) {
    const CWindowParam amp{0, 0, 3, 4, -1, 1};  // amplitude fields ride along unchanged
    auto v = [&](double start, double duration) {
        CWindowParam p = amp;
        p.start = start;
        p.duration = duration;
        return p;
    };
    const TimeCase shifts[] = {
        {"15 s moves 8 s", v(100, 15), v(108, 15)},
        {"10 s moves 5 s", v(100, 10), v(105, 10)},
        {"0.9 s stays", v(100, 0.9), v(100, 0.9)},
        {"1.5 s moves 1 s (1 rounded up to 2, halved)", v(100, 1.5), v(101, 1.5)},
    };
    for (const TimeCase& c : shifts) {
        ExpectView(ShiftTime(c.view, +1), *c.expected, c.what);
        CWindowParam back = *c.expected;
        back.start = 2 * c.view.start - c.expected->start;
        ExpectView(ShiftTime(c.view, -1), back, c.what);
    }

    const TimeCase compress[] = {
        {"old interval in the middle", v(1000, 60), v(970, 120)},
        {"start cut to milliseconds, duration to seconds", v(1000.0004, 10.4), v(994.8, 20)},
        {"179999.5 s doubles to exactly the limit", v(0, 179999.5), v(-89999.75, 359999)},
        {"200000 s would exceed the limit", v(0, 200000), std::nullopt},
    };
    for (const TimeCase& c : compress) {
        const auto got = CompressTime(c.view);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.what;
        if (got) ExpectView(*got, *c.expected, c.what);
    }

    const TimeCase stretch[] = {
        {"1 s stays 1 s, start moves a quarter", v(100, 1), v(100.25, 1)},
        {"60 s halves about the middle", v(1000, 60), v(1015, 30)},
        {"odd half rounded up", v(1000, 3), v(1000.75, 2)},
        {"start keeps whole milliseconds", v(1371212405.123, 10), v(1371212407.623, 5)},
    };
    for (const TimeCase& c : stretch) ExpectView(StretchTime(c.view), *c.expected, c.what);

    ExpectView(PageTime(v(100, 15), +1), v(115, 15), "next page");
    ExpectView(PageTime(v(100, 15), -1), v(85, 15), "previous page");
    // The wheel: the time under the pointer keeps its place.
    struct WheelCase {
        const char* what;
        CWindowParam view;
        double t, factor;
        CWindowParam expected;
    };
    const WheelCase wheel[] = {
        {"a quarter in, halved", v(1000, 60), 1015, 0.5, v(1007.5, 30)},
        {"at the right edge, doubled", v(1000, 60), 1060, 2, v(940, 120)},
        {"never below a second", v(1000, 1.5), 1000.75, 0.5, v(1000.25, 1)},
        {"never beyond the longest pane", v(0, 300000), 150000, 2, v(150000 - 179999.5, 359999)},
        {"a pointer left of the pane counts as its start", v(1000, 60), 900, 0.5, v(900, 30)},
    };
    for (const WheelCase& c : wheel) ExpectView(ZoomTimeAbout(c.view, c.t, c.factor), c.expected, c.what);
}

TEST(NavigationTest, AmplitudeSteps) {
    struct Case {
        const char* what;
        AmplitudeSpan got, expected;
    };
    const Case cases[] = {
        {"vertical stretch of [5,5]", StretchAmplitude({5, 5}), {4, 6}},
        {"vertical stretch halves about the centre", StretchAmplitude({-4, 4}), {-2, 2}},
        {"vertical compress doubles", CompressAmplitude({-4, 4}), {-8, 8}},
        {"vertical compress of a flat range counts it 1 wide", CompressAmplitude({5, 5}), {4, 6}},
        {"shift up lowers the range by a quarter", ShiftAmplitude({0, 8}, true, 0.25), {-2, 6}},
        {"shift down raises it", ShiftAmplitude({0, 8}, false, 0.25), {2, 10}},
        {"transformed moves a tenth", ShiftAmplitude({0, 10}, false, 0.1), {1, 11}},
        {"align amplitude [-2,2] onto [10,30]", AlignAmplitude({-2, 2}, {10, 30}), {18, 22}},
        {"align amplitude is single precision",
         AlignAmplitude({0, 0.1}, {0, 0}),
         {-static_cast<double>(0.1f / 2), static_cast<double>(0.1f / 2)}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST(NavigationTest, CentreReadsEveryBlockAtItsOwnRate) {
    // Nominal rate 1 sps, but the second block was recorded at 100 sps: a buffer sized by the
    // nominal rate would have held 10 samples; the interval holds 1000 of them.
    ZELDataBlockArray data;
    data.Append(ZELDataBlock(0, 1, {0, 3, -2, 0, 99}));  // 99 lies at t=4, before the interval
    std::vector<float> fast(1000, 0.0f);
    fast[0] = 7;
    fast[999] = -9;
    data.Append(ZELDataBlock(5, 100, fast));
    data.Append(ZELDataBlock(15, 100, {500}));  // at the interval's end: outside
    EXPECT_EQ(CentreRange(data, 5, 10), (AmplitudeSpan{-9, 7}));
    EXPECT_EQ(CentreRange(data, 0, 4), (AmplitudeSpan{-2, 3}));  // zeros ignored

    ZELDataBlockArray zeros;
    zeros.Append(ZELDataBlock(0, 10, std::vector<float>(50, 0.0f)));
    EXPECT_EQ(CentreRange(zeros, 0, 5), (AmplitudeSpan{-1, 1}));
    EXPECT_EQ(CentreRange({}, 0, 5), (AmplitudeSpan{-1, 1}));
    ZELDataBlockArray flat;
    flat.Append(ZELDataBlock(0, 10, std::vector<float>(50, 4.0f)));
    EXPECT_EQ(CentreRange(flat, 0, 5), (AmplitudeSpan{3, 5}));

    EXPECT_EQ(BufferRange({2, -1, 0, 5}), (AmplitudeSpan{-1, 5}));
    EXPECT_EQ(BufferRange({}), (AmplitudeSpan{-1, 1}));
}

TEST(NavigationTest, RectangleCornersInAnyOrder) {
    const RectangleView a = RectangleZoom({110.7, -3}, {100.2, 8});
    EXPECT_DOUBLE_EQ(a.start, 100.2);
    EXPECT_EQ(a.duration, 10);  // floor(10.5)
    EXPECT_EQ(a.range, (AmplitudeSpan{-3, 8}));
    EXPECT_EQ(RectangleZoom({100, 1}, {100.4, 1}).duration, 1);
}

// Panes over [start, start + duration) with a raw range.
PaneSet Window(int count, double start, double duration) {
    PaneSet set;
    for (int i = 0; i < count; ++i) {
        TracePane& p = set.add({}, start + 10 * i, duration);
        p.setDataRange(-1 - i, 1 + i);
    }
    return set;
}

TEST(NavigationTest, CommandsActOnActivePanesAndPushOneStateEach) {
    PaneSet set = Window(3, 1000, 60);
    EXPECT_TRUE(Navigate(set, NavCommand::StretchTime, false).noPane);
    EXPECT_EQ(set[0].views.size(), 0u);

    set.clickPlot(set[0]);
    set.clickCaption(set[2]);  // active and main now
    NavOutcome out = Navigate(set, NavCommand::ShiftLater, false);
    EXPECT_EQ(out.reload, (std::vector<TracePane*>{&set[0], &set[2]}));
    EXPECT_EQ(set[0].start(), 1030);
    EXPECT_EQ(set[1].start(), 1010);  // inactive
    EXPECT_EQ(set[2].start(), 1050);
    EXPECT_EQ(set[1].views.size(), 0u);

    out = Navigate(set, NavCommand::StretchAmplitude, false);
    EXPECT_TRUE(out.reload.empty());
    EXPECT_EQ(out.redraw.size(), 2u);
    EXPECT_EQ(set[2].dataMin(), -1.5);

    // Return walks back amplitude first, then time; a third return finds nothing.
    Navigate(set, NavCommand::Return, false);
    EXPECT_EQ(set[2].dataMin(), -3);
    EXPECT_EQ(set[2].start(), 1050);
    Navigate(set, NavCommand::Return, false);
    EXPECT_EQ(set[2].start(), 1020);
    EXPECT_TRUE(Navigate(set, NavCommand::Return, false).reload.empty());

    // Align amplitude needs a main pane.
    set.deactivateAll();
    set.clickCaption(set[1]);
    set[1].main = false;
    EXPECT_TRUE(Navigate(set, NavCommand::AlignAmplitude, false).noPane);
}

TEST(NavigationTest, TwentyOneCompressionsAndReturns) {
    PaneSet set = Window(1, 1000, 1);
    set.clickPlot(set[0]);
    std::vector<double> durations;
    for (int i = 0; i < 21; ++i) {
        durations.push_back(set[0].duration());
        Navigate(set, NavCommand::CompressTime, false);
    }
    EXPECT_EQ(set[0].duration(), 1 << 18);  // the 19th and later ones exceed the limit
    EXPECT_EQ(set[0].views.size(), 20u);
    for (int i = 20; i >= 1; --i) {
        EXPECT_EQ(Navigate(set, NavCommand::Return, false).reload.size(), 1u);
        EXPECT_EQ(set[0].duration(), durations[i]) << "return " << 21 - i;
    }
    EXPECT_TRUE(Navigate(set, NavCommand::Return, false).reload.empty());
    EXPECT_EQ(set[0].duration(), 2);  // the very first state was lost
}

TEST(NavigationTest, IgnoredCompressionStillPushesItsState) {
    PaneSet set = Window(1, 1000, 200000);
    set.clickPlot(set[0]);
    EXPECT_TRUE(Navigate(set, NavCommand::CompressTime, false).reload.empty());
    EXPECT_EQ(set[0].views.size(), 1u);
    Navigate(set, NavCommand::Return, false);
    EXPECT_EQ(set[0].duration(), 200000);
    EXPECT_EQ(set[0].views.size(), 0u);
}

TEST(NavigationTest, TimeAlignmentStartsEveryPaneFromTheMainInterval) {
    PaneSet set = Window(3, 1000, 60);  // starts 1000, 1010, 1020
    set[1].setInterval(1010, 30);
    set.activateAll();
    set.makeMain(set[2]);
    // The main pane is not the first: its interval must be read before any pane moves.
    NavOutcome out = Navigate(set, NavCommand::StretchTime, true);
    EXPECT_EQ(out.reload.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(set[i].start(), 1035) << i;
        EXPECT_EQ(set[i].duration(), 30) << i;
    }
    Navigate(set, NavCommand::Return, false);
    EXPECT_EQ(set[1].start(), 1010);
    EXPECT_EQ(set[1].duration(), 30);

    out = AlignTime(set);
    EXPECT_EQ(out.reload, (std::vector<TracePane*>{&set[0], &set[1]}));
    EXPECT_EQ(set[0].start(), 1020);
    EXPECT_EQ(set[1].duration(), 60);

    PaneSet none;
    EXPECT_TRUE(AlignTime(none).noPane);
}

TEST(NavigationTest, RectangleZoomCarriesToActivePanesWhenAligned) {
    PaneSet set = Window(3, 1000, 60);
    set.clickPlot(set[0]);
    set.clickCaption(set[1]);
    set.clickPlot(set[0]);
    NavOutcome out = ZoomToRectangle(set, set[0], {1030.5, 0.5}, {1010.2, -0.25}, true);
    EXPECT_EQ(out.reload, (std::vector<TracePane*>{&set[0], &set[1]}));
    EXPECT_DOUBLE_EQ(set[0].start(), 1010.2);
    EXPECT_EQ(set[0].duration(), 20);
    EXPECT_EQ(set[0].dataMin(), -0.25);
    EXPECT_EQ(set[0].dataMax(), 0.5);
    EXPECT_DOUBLE_EQ(set[1].start(), 1010.2);
    EXPECT_EQ(set[1].dataMax(), 2);  // only the interval is carried
    EXPECT_EQ(set[2].start(), 1020);
    Navigate(set, NavCommand::Return, false);
    EXPECT_EQ(set[0].start(), 1000);
    EXPECT_EQ(set[0].dataMax(), 1);
    EXPECT_EQ(set[1].start(), 1010);

    out = ZoomToRectangle(set, set[2], {1021, 0}, {1025, 1}, false);
    EXPECT_EQ(out.reload, (std::vector<TracePane*>{&set[2]}));
}

TEST(NavigationTest, PointerViewsCarryToActivePanesWhenAlignedAndPushOncePerGesture) {
    PaneSet set = Window(3, 1000, 60);
    set.clickPlot(set[0]);
    set.clickCaption(set[1]);
    // A drag: the first step pushes, the following ones only move.
    SetPaneInterval(set, set[0], 1010, 60, true, true);
    const NavOutcome out = SetPaneInterval(set, set[0], 1020, 60, true, false);
    EXPECT_EQ(out.reload, (std::vector<TracePane*>{&set[0], &set[1]}));
    EXPECT_EQ(set[1].start(), 1020);
    EXPECT_EQ(set[2].start(), 1020);  // inactive: stays where it was
    Navigate(set, NavCommand::Return, false);
    EXPECT_EQ(set[0].start(), 1000);
    EXPECT_EQ(set[1].start(), 1010);
    EXPECT_EQ(set[0].views.size(), 0u);

    SetPaneInterval(set, set[2], 5000, 10, false, true);
    EXPECT_EQ(set[0].start(), 1000);
    EXPECT_EQ(ScaleAmplitude({-1, 3}, 0.5), (AmplitudeSpan{0, 2}));
    EXPECT_EQ(ScaleAmplitude({2, 2}, 4), (AmplitudeSpan{0, 4}));  // a flat range counts as 1 wide
}

TEST(NavigationTest, ShowTransformedModeWorksOnTheTransformedRange) {
    PaneSet set = Window(2, 0, 10);
    set.activateAll();
    set.makeMain(set[0]);
    set[0].setTransformed(TransformedSignal{{0, 4, -4}, 1, {}, 0, 0});
    set[0].showTransformed = true;
    EXPECT_EQ(ShownRange(set[0]), (AmplitudeSpan{-4, 4}));
    Navigate(set, NavCommand::ShiftDown, false);
    EXPECT_NEAR(ShownRange(set[0]).min, -3.2, 1e-12);
    EXPECT_NEAR(ShownRange(set[0]).max, 4.8, 1e-12);
    EXPECT_EQ(set[0].dataMin(), -1);  // the raw range stays
    EXPECT_EQ(set[1].dataMin(), -1);  // raw pane: a quarter of [-2,2]

    // One scale: the raw range of pane 0 takes the transformed width about its own centre.
    Navigate(set, NavCommand::OneScale, false);
    EXPECT_EQ(set[0].dataMin(), -4);
    EXPECT_EQ(set[0].dataMax(), 4);

    // Align amplitude from a transformed main pane sets transformed ranges only.
    set[1].setTransformed(TransformedSignal{{10, 30}, 1, {}, 0, 0});
    Navigate(set, NavCommand::AlignAmplitude, false);
    EXPECT_EQ(set[1].transformed()->min, 16);
    EXPECT_EQ(set[1].transformed()->max, 24);
    EXPECT_EQ(set[1].dataMax(), 3);

    Navigate(set, NavCommand::Centre, false);
    EXPECT_EQ(ShownRange(set[0]), (AmplitudeSpan{-4, 4}));
}

TEST(NavigationTest, AlignPPutsEveryOnsetAtThePanesOffset) {
    PaneSet set = Window(3, 1000, 60);
    const std::vector<std::optional<double>> p = {1015, std::nullopt, 2000};
    auto pTime = [&](const TracePane& pane) { return p[pane.number()]; };
    NavOutcome out = AlignP(set, set[0], pTime);
    EXPECT_EQ(out.reload, (std::vector<TracePane*>{&set[0], &set[2]}));
    EXPECT_EQ(set[2].start(), 1985);
    EXPECT_EQ(set[2].duration(), 60);
    EXPECT_EQ(set[1].start(), 1010);
    // The pane's own P outside its interval: nothing moves.
    set[0].setInterval(1020, 60);
    EXPECT_TRUE(AlignP(set, set[0], pTime).reload.empty());
    EXPECT_TRUE(AlignP(set, set[1], pTime).reload.empty());
}

}  // namespace
}  // namespace zel

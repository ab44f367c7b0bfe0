// The beam pane's samples from the window's panes: offsets relative to the reference station,
// the pane's interval and block, and where the stack scrolls to show it.

#include "wave/PaneBeam.h"

#include <gtest/gtest.h>

#include "wave/PaneText.h"
#include "wave/TraceGeometry.h"

namespace zel {
namespace {

Station ArrayStation(const char* code, float dnorth, float deast) {
    Station s;
    s.code = code;
    s.dnorth = dnorth;
    s.deast = deast;
    return s;
}

TracePane Pane(int stationIndex, const char* station, double start, double duration,
               std::optional<std::vector<float>> transformed) {
    TracePane pane(0, PaneChannel{stationIndex, 0, station, "SHZ", "??", 1.0}, start, duration);
    if (transformed) pane.setTransformed(TransformedSignal{*transformed, 1.0, {}, 0, 0});
    return pane;
}

class PaneBeamTest : public ::testing::Test {
  protected:
    // The reference lies 1 km north and 3 km east of the array's origin, EAST 2 km east of it.
    std::vector<Station> stations{ArrayStation("REF", 1, 3), ArrayStation("EAST", 1, 5)};
    TracePane reference = Pane(0, "REF", 100, 3.9, std::vector<float>{1, 2, 3, 4});
    TracePane beam = Pane(0, "REF", 0, 10, std::nullopt);
};

TEST_F(PaneBeamTest, DelaysComeFromOffsetsRelativeToTheReferenceStation) {
    // EAST's pane starts a second earlier. From the east (90°) at 0.5 s/km it is 1 s early, so its
    // sample k lands at 99 + k + 1: 0, 3, 4 fill the bins of 100, 101, 102.
    const TracePane east = Pane(1, "EAST", 99, 5, std::vector<float>{0, 3, 4, 5, 6});
    beam.setTransformed(TransformedSignal{{9, 9}, 1.0, {}, 0, 0});  // made from an older beam
    beam.showTransformed = true;
    FormPaneBeam(beam, reference, {&reference, &east}, stations, 90.0f, 0.5f);
    ASSERT_EQ(beam.data().blocks.size(), 1u);
    const ZELDataBlock& b = beam.data().blocks[0];
    EXPECT_EQ(b.samples, (std::vector<float>{0.5f, 2.5f, 3.5f}));
    EXPECT_EQ(b.begin, 100.0);
    EXPECT_EQ(b.sps, 1.0);
    // The pane shows the beam's whole seconds, not the reference's 3.9 s.
    EXPECT_EQ(beam.start(), 100.0);
    EXPECT_EQ(beam.duration(), 3.0);
    EXPECT_FALSE(beam.transformed().has_value());
    EXPECT_FALSE(beam.showTransformed);
}

TEST_F(PaneBeamTest, PanesWithoutSignalCountAndShortIntervalsGiveNoBlock) {
    // A pane with no transformed signal and one of a station outside the table (no offsets) both
    // count in the average.
    const TracePane unfiltered = Pane(1, "EAST", 100, 4, std::nullopt);
    const TracePane unknown = Pane(7, "GONE", 100, 4, std::vector<float>{3, 3, 3, 3});
    FormPaneBeam(beam, reference, {&reference, &unfiltered, &unknown}, stations, 45.0f, 0.3f);
    ASSERT_EQ(beam.data().blocks.size(), 1u);
    EXPECT_EQ(beam.data().blocks[0].samples, (std::vector<float>{4.0f / 3, 5.0f / 3, 2}));

    // Under one second there is no beam: no block, and an interval that can still be drawn.
    const TracePane shortRef = Pane(0, "REF", 100, 0.9, std::vector<float>{1});
    FormPaneBeam(beam, shortRef, {&shortRef}, stations, 0.0f, 0.0f);
    EXPECT_TRUE(beam.data().blocks.empty());
    EXPECT_EQ(beam.duration(), 0.9);
}

TEST_F(PaneBeamTest, OnlyTheBeamPaneCaptionCarriesTheMarker) {
    EXPECT_EQ(PaneCaption(reference), "D0    REF.SHZ.?? 1.000 sps 1970-Jan-01");
    beam.beam = true;
    EXPECT_EQ(PaneCaption(beam), "D0 #BEAM#   REF.SHZ.?? 1.000 sps 1970-Jan-01");
}

TEST(BeamPaneScroll, PutsTheLineOnTheClientBottomWhereverItLies) {
    EXPECT_EQ(ScrollPositionShowingBottom(1000, 400, 1000), 10000);  // the last pane
    EXPECT_EQ(ScrollPositionShowingBottom(1000, 400, 300), 0);       // already visible from the top
    EXPECT_EQ(ScrollPositionShowingBottom(300, 400, 300), 0);        // nothing to scroll
    // Uneven sizes: the scroll position is coarser than a pixel, yet the line never falls below
    // the client area and never more than a pixel above its bottom.
    for (int stack : {1003, 4799, 123457})
        for (int line = 400; line <= stack; line += 7) {
            const int y = StackTop(stack, 400, ScrollPositionShowingBottom(stack, 400, line)) + line;
            EXPECT_LE(y, 400) << stack << " " << line;
            EXPECT_GE(y, 400 - std::max(1, stack / 10000 + 1)) << stack << " " << line;
        }
}

}  // namespace
}  // namespace zel

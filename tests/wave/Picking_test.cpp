// Picking rules on a pane: times from pixels, default codes, the pick record, pick lines and
// the interval mark commands, on hand-worked positions.

#include "wave/Picking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "base/ZelError.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

constexpr double kStart = 1600000000.0;  // 2020-09-13 12:26:40 UTC

// 20 s over columns 0..1000: 0.02 s per pixel.
TraceMapping Mapping() {
    TraceMapping m;
    m.start = kStart;
    m.duration = 20;
    m.plot = {0, 10, 1000, 90};
    return m;
}

const PhaseCatalogue& Catalogue() {
    static const PhaseCatalogue c = [] {
        PhaseCatalogue cat;
        cat.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "");
        return cat;
    }();
    return c;
}

SEISMIC_PHASE Pick(const char* phase, int station, int slot, double offset) {
    PickChoice choice;
    choice.phase = phase;
    return MakePick(choice, station, slot, {kStart + offset, 0}, Catalogue());
}

TEST(PickingTest, DefaultCodesFromUncertainty) {
    EXPECT_EQ(DefaultPickCodes(0), (PickCodes{0, kOnsetImpulsive}));
    EXPECT_EQ(DefaultPickCodes(0.19), (PickCodes{0, kOnsetImpulsive}));
    // The two open boundaries belong to the middle range.
    EXPECT_EQ(DefaultPickCodes(0.2), (PickCodes{1, kOnsetEmergent}));
    EXPECT_EQ(DefaultPickCodes(0.6), (PickCodes{1, kOnsetEmergent}));
    EXPECT_EQ(DefaultPickCodes(1.0), (PickCodes{1, kOnsetEmergent}));
    EXPECT_EQ(DefaultPickCodes(1.01), (PickCodes{3, kOnsetWeak}));
    EXPECT_EQ(DefaultPickCodes(-0.6), (PickCodes{1, kOnsetEmergent}));
    EXPECT_EQ(DefaultPickCodes(std::nan("")), (PickCodes{3, kOnsetWeak}));
}

TEST(PickingTest, GestureGivesTimeAndUncertaintyFromPixels) {
    const TraceMapping m = Mapping();
    EXPECT_DOUBLE_EQ(PixelTime(m, 0), kStart);
    EXPECT_DOUBLE_EQ(PixelTime(m, 515), kStart + 10.3);  // not snapped to any sample

    DragGesture g;
    g.press(500);
    EXPECT_FALSE(g.move(505, true));  // 5 pixels is still a click
    EXPECT_EQ(g.x2(), 500);
    PickSpan click = PickSpanOf(m, g.x1(), g.x2());
    EXPECT_DOUBLE_EQ(click.time, kStart + 10.0);
    EXPECT_EQ(click.uncertainty, 0);

    EXPECT_TRUE(g.move(530, true));    // 10.0 s to 10.6 s
    EXPECT_TRUE(g.move(1200, false));  // outside the plot: x2 keeps the last inside position
    EXPECT_EQ(g.x2(), 530);
    const PickSpan drag = PickSpanOf(m, g.x1(), g.x2());
    EXPECT_NEAR(drag.time, kStart + 10.3, 1e-6);
    EXPECT_NEAR(drag.uncertainty, 0.6, 1e-6);  // epoch seconds carry about 2e-7 s
    EXPECT_EQ(DefaultPickCodes(drag.uncertainty), (PickCodes{1, kOnsetEmergent}));

    EXPECT_TRUE(g.move(501, true));  // once a drag, always a drag
    EXPECT_EQ(g.x2(), 501);
    g.reset();
    EXPECT_FALSE(g.move(900, true));  // no press, no drag

    TraceMapping flat = m;
    flat.plot.right = flat.plot.left;
    EXPECT_EQ(PixelTime(flat, 40), kStart);
}

TEST(PickingTest, PickRecordFromDialogChoice) {
    PickChoice choice;
    choice.phase = "Pn";
    choice.onset = kOnsetEmergent;
    choice.firstMotion = 1;
    choice.weight = 1;
    choice.chanType = "SHZ";
    choice.remark = std::string(79, 'a') + "Ж";  // the last character would be split at 80 bytes
    choice.pickFilter = "BP 1-5";
    const SEISMIC_PHASE p = MakePick(choice, 3, 2, {kStart + 10.3, 0.6}, Catalogue());
    EXPECT_EQ(p.stationIndex, 3);
    EXPECT_EQ(p.channelIndex, 2);
    EXPECT_EQ(Catalogue().Name(p.phaseIndex), "Pn");
    EXPECT_DOUBLE_EQ(p.time, kStart + 10.3);
    EXPECT_EQ(p.year, 2020);
    EXPECT_EQ(p.month, 9);
    EXPECT_EQ(p.day, 13);
    EXPECT_EQ(p.hour, 12);
    EXPECT_EQ(p.minute, 26);
    EXPECT_EQ(p.second, 50);
    EXPECT_DOUBLE_EQ(p.deltim, 0.6);
    EXPECT_EQ(OnsetCodeText(p), "ED1");
    EXPECT_EQ(p.included, 1);
    EXPECT_EQ(p.savable, 1);
    EXPECT_EQ(p.arid, -1);  // the list assigns it
    EXPECT_EQ(p.remark, std::string(79, 'a'));
    EXPECT_EQ(p.chanType, "SHZ");
    EXPECT_EQ(p.pickFilter, "BP 1-5");

    EXPECT_EQ(Pick("tx", 0, 0, 1).included, 0);  // a marker has no curve

    choice.phase = "Pg2";
    EXPECT_THROW(MakePick(choice, 0, 0, {kStart, 0}, Catalogue()), ZelError);
    choice.phase = "P";
    choice.firstMotion = 9;
    EXPECT_THROW(MakePick(choice, 0, 0, {kStart, 0}, Catalogue()), ZelError);
    choice.firstMotion = 4;
    EXPECT_THROW(MakePick(choice, 0, 0, {std::nan(""), 0}, Catalogue()), ZelError);
    EXPECT_THROW(MakePick(choice, 0, 0, {1e300, 0}, Catalogue()), ZelError);
}

TEST(PickingTest, PickLinesOfAChannelInsideTheInterval) {
    ZELPhases list;
    list.Add(Pick("P", 1, 0, 10.305));  // column 515.25
    list.Add(Pick("S", 1, 0, 10.315));  // column 515.75: rounded, not truncated
    list.Add(Pick("PP", 1, 0, 0));      // exactly at the start: not shown
    list.Add(Pick("Pn", 1, 0, 20));     // exactly at the end: not shown
    list.Add(Pick("P", 1, 1, 5));       // another channel
    list.Add(Pick("P", 2, 0, 5));       // another station
    SEISMIC_PHASE excluded = Pick("Sn", 1, 0, 2);
    excluded.included = 0;
    list.Add(excluded);

    const std::vector<PickMark> marks = PickMarks(list, Catalogue(), 1, 0, Mapping());
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].name, "Sn");
    EXPECT_EQ(marks[0].x, 100);
    EXPECT_FALSE(marks[0].included);
    EXPECT_FALSE(marks[0].red);
    EXPECT_EQ(marks[1].name, "P");
    EXPECT_EQ(marks[1].x, 515);
    EXPECT_TRUE(marks[1].red);
    EXPECT_TRUE(marks[1].included);
    EXPECT_EQ(marks[2].name, "S");
    EXPECT_EQ(marks[2].x, 516);
    EXPECT_FALSE(marks[2].red);
    EXPECT_EQ(list.Find(1, 0, Catalogue().IndexOf("S"))->screenX, 516);
}

TEST(PickingTest, MovedPickKeepsTimeOrderAndBecomesSavable) {
    ZELPhases list;
    SEISMIC_PHASE p = Pick("P", 1, 0, 10);
    p.savable = 0;
    p.arid = 42;
    list.Add(p);
    list.Add(Pick("S", 1, 0, 20));
    const int pi = Catalogue().IndexOf("P");
    ASSERT_TRUE(MovePick(list, 1, 0, pi, kStart + 25));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetAt(0)->phaseIndex, Catalogue().IndexOf("S"));
    const SEISMIC_PHASE* moved = list.GetAt(1);
    EXPECT_DOUBLE_EQ(moved->time, kStart + 25);
    EXPECT_EQ(moved->second, 5);
    EXPECT_EQ(moved->minute, 27);
    EXPECT_EQ(moved->savable, 1);
    EXPECT_EQ(moved->arid, 42);
    EXPECT_FALSE(MovePick(list, 1, 0, Catalogue().IndexOf("Pn"), kStart));
    EXPECT_FALSE(MovePick(list, 1, 0, pi, std::nan("")));
    EXPECT_DOUBLE_EQ(list.GetAt(1)->time, kStart + 25);
}

TEST(PickingTest, IntervalMarkSelectsPicksInclusively) {
    EXPECT_EQ(OrderedMark(12, 10), (IntervalMark{10, 12}));
    EXPECT_EQ(CentredMark({10, 14}, 30), (IntervalMark{28, 32}));
    EXPECT_FALSE(MarkLineVisible(Mapping(), kStart));
    EXPECT_TRUE(MarkLineVisible(Mapping(), kStart + 0.01));
    EXPECT_FALSE(MarkLineVisible(Mapping(), kStart + 20));

    ZELPhases list;
    for (auto [name, offset] : {std::pair{"P", 10.0}, {"Pn", 12.0}, {"S", 12.5}, {"Sn", 9.99}}) {
        SEISMIC_PHASE p = Pick(name, 1, 0, offset);
        p.included = 0;
        list.Add(p);
    }
    SEISMIC_PHASE other = Pick("P", 1, 1, 11);
    other.included = 0;
    list.Add(other);

    const IntervalMark reversed{kStart + 12, kStart + 10};
    EXPECT_EQ(SetIncludedInMark(list, 1, 0, reversed, true), 2);
    auto included = [&](const char* name, int slot = 0) {
        return list.Find(1, slot, Catalogue().IndexOf(name))->included;
    };
    EXPECT_EQ(included("P"), 1);
    EXPECT_EQ(included("Pn"), 1);  // exactly at the upper end
    EXPECT_EQ(included("S"), 0);
    EXPECT_EQ(included("Sn"), 0);
    EXPECT_EQ(included("P", 1), 0);

    EXPECT_EQ(SetIncludedInMark(list, 1, 0, reversed, false), 2);
    EXPECT_EQ(included("Pn"), 0);

    EXPECT_EQ(RemoveInMark(list, 1, 0, reversed), 2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Find(1, 0, Catalogue().IndexOf("P")), nullptr);
    EXPECT_NE(list.Find(1, 1, Catalogue().IndexOf("P")), nullptr);
    EXPECT_EQ(RemoveInMark(list, 1, 0, reversed), 0);
}

TEST(PickingTest, KeysProposeTheNextPhaseAndFindTheNearestPick) {
    const PhaseCatalogue& c = Catalogue();
    const std::vector<int> offered = {c.IndexOf("Pg"), c.IndexOf("Sg"), c.IndexOf("Pn")};
    ZELPhases list;
    EXPECT_EQ(ProposedPhase(offered, list, 1), c.IndexOf("Pg"));
    list.Add(Pick("Pg", 1, 0, 5));
    list.Add(Pick("Pg", 2, 0, 6));
    // Another channel of the same station counts: Pg is taken on station 1.
    EXPECT_EQ(ProposedPhase(offered, list, 1), c.IndexOf("Sg"));
    list.Add(Pick("Sg", 1, 1, 9));
    list.Add(Pick("Pn", 1, 2, 4));
    EXPECT_EQ(ProposedPhase(offered, list, 1), c.IndexOf("Pg"));  // all taken: the first again
    EXPECT_EQ(ProposedPhase({}, list, 1), -1);

    list.Add(Pick("P", 1, 0, 7));
    EXPECT_EQ(NearestPick(list, 1, 0, kStart + 5.8, 2), c.IndexOf("Pg"));
    EXPECT_EQ(NearestPick(list, 1, 0, kStart + 6.6, 2), c.IndexOf("P"));
    EXPECT_EQ(NearestPick(list, 1, 0, kStart + 12, 2), std::nullopt);   // beyond reach
    EXPECT_EQ(NearestPick(list, 3, 0, kStart + 6, 2), std::nullopt);    // another station
    EXPECT_EQ(list.LatestUntil(1, 0, kStart + 6.9)->phaseIndex, c.IndexOf("Pg"));
    EXPECT_EQ(list.LatestUntil(1, 0, kStart + 4.9), nullptr);
}

}  // namespace
}  // namespace zel

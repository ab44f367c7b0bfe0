// The record section's geometry against hand-worked values: an epicentre at (0, 0), 10 km deep,
// stations 1 degree north, 1 and 2 degrees east; distances through the geocentric latitude, the
// times of the picks on the section's axis with and without a reduction of 8 km/s, the pick of a
// channel without a trace shown on its station's trace, and the curves against the IASP91 table's
// own values (resources/traveltimes/iasp91/P and S, depth rows 10 and 20 km).

#include "wave/RecordSection.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/ZelError.h"
#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "support/TempDir.h"
#include "wave/TracePane.h"

namespace zel {
namespace {

constexpr double kOrigin = 1371211200.0;

Station At(const char* code, float lat, float lon) {
    Station s;
    s.code = code;
    s.lat = lat;
    s.lon = lon;
    for (int slot : {0, 1}) {
        s.slots[slot].channel = slot == 0 ? "SHZ" : "SHN";
        s.slots[slot].lat = lat;
        s.slots[slot].lon = lon;
    }
    return s;
}

class RecordSectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        catalogue.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", dir.path().string());
        ASSERT_TRUE(catalogue.HasCurve(catalogue.IndexOf("P")));
        stations = {At("NRT", 1, 0), At("EST", 0, 1), At("FAR", 0, 2)};
        event.hypocentreValid = true;
        event.depth = 10;
        event.originTime = kOrigin;
        // Panes in screen order: FAR's two components first, then EST and NRT.
        for (auto [station, slot] : {std::pair{2, 0}, std::pair{2, 1}, std::pair{1, 0}, std::pair{0, 0}}) {
            auto pane =
                std::make_unique<TracePane>(static_cast<int>(panes.size()),
                                            PaneChannel{station, slot, stations[station].code,
                                                        stations[station].slots[slot].channel, "??", 100},
                                            kOrigin - 5, 60);
            ZELDataBlockArray data;
            data.blocks.push_back(ZELDataBlock(kOrigin - 10, 100, std::vector<float>(8000, 1.0f)));
            data.blocks.back().samples[1000] = -3;  // inside the pane's interval: sets the range
            data.blocks.back().samples[100] = 50;   // before it: not part of the section
            pane->setData(std::move(data));
            panes.push_back(std::move(pane));
        }
        // P on the table's own 1 and 2 degree times; S of EST on its horizontal (no pane), S of
        // FAR on its horizontal (which has one).
        pick(1, 0, "P", 19.234);
        pick(1, 1, "S", 33.2);
        pick(2, 0, "P", 33.827);
        pick(2, 1, "S", 59.761);
    }
    void pick(int station, int slot, const char* phase, double seconds) {
        SEISMIC_PHASE p;
        p.stationIndex = station;
        p.channelIndex = slot;
        p.phaseIndex = catalogue.IndexOf(phase);
        p.time = kOrigin + seconds;
        p.included = 1;
        phases.Add(p);
    }
    RecordSection build(bool allCurves = false) {
        std::vector<const TracePane*> shown;
        for (const auto& p : panes) shown.push_back(p.get());
        return BuildRecordSection({shown, stations, event, phases, catalogue}, allCurves);
    }

    test::TempDir dir;
    PhaseCatalogue catalogue;
    std::vector<Station> stations;
    CurrentEvent event;
    ZELPhases phases;
    std::vector<std::unique_ptr<TracePane>> panes;
};

TEST_F(RecordSectionTest, DistancesTimesAndPicksOnTheAxes) {
    const RecordSection s = build();
    ASSERT_EQ(s.traces.size(), 4u);
    // Nearest first; one degree north is less than a degree of arc (geocentric latitude
    // atan(0.993277 tan 1°) = 0.993278°), one degree east on the equator is exactly one.
    struct Row {
        const char* station;
        const char* channel;
        double deg, km;
        double y;                                           // plot row in a 600 x 300 plot
        std::vector<std::pair<const char*, double>> picks;  // phase, seconds after the origin
    };
    const Row rows[] = {
        {"NRT", "SHZ", 0.993278, 110.4479, 257.0, {}},
        {"EST", "SHZ", 1.0, 111.1953, 255.571, {{"P", 19.234}, {"S", 33.2}}},
        {"FAR", "SHZ", 2.0, 222.3906, 43.0, {{"P", 33.827}}},
        {"FAR", "SHN", 2.0, 222.3906, 43.0, {{"S", 59.761}}},
    };
    const PlotRect plot{0, 0, 600, 300};
    const SectionFrame plain = FrameSection(s, plot, {});
    const SectionFrame reduced = FrameSection(s, plot, {true, 8.0});
    // The time axes: the panes' -5..55 s; reduced, from FAR's start (-5 - 222.3906 / 8) to NRT's
    // end (55 - 110.4479 / 8).
    EXPECT_DOUBLE_EQ(plain.t0, -5);
    EXPECT_DOUBLE_EQ(plain.t1, 55);
    EXPECT_NEAR(reduced.t0, -32.7988, 1e-4);
    EXPECT_NEAR(reduced.t1, 41.1940, 1e-4);
    // The section's distance axis: 5 % of the 111.94 km spread either side; on the screen widened
    // so that the nearest and the farthest wiggle keep half a band (37 px + 6) inside the plot:
    // 43 x 111.94 / (300 - 2 x 43) = 22.493 km beyond each.
    EXPECT_NEAR(s.minKm, 104.8507, 1e-3);
    EXPECT_NEAR(s.maxKm, 227.9877, 1e-3);
    EXPECT_NEAR(plain.d0, 87.9547, 1e-3);
    EXPECT_NEAR(plain.d1, 244.8838, 1e-3);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        const SectionTrace& t = s.traces[i];
        SCOPED_TRACE(r.station + std::string(" ") + r.channel);
        EXPECT_EQ(t.station, r.station);
        EXPECT_EQ(t.channel, r.channel);
        EXPECT_NEAR(t.distanceDeg, r.deg, 1e-6);
        EXPECT_NEAR(t.distanceKm, r.km, 1e-3);
        EXPECT_NEAR(plain.y(t.distanceKm), r.y, 1e-3);
        ASSERT_EQ(t.picks.size(), r.picks.size());
        for (std::size_t k = 0; k < r.picks.size(); ++k) {
            EXPECT_EQ(t.picks[k].phase, r.picks[k].first);
            const double seconds = t.picks[k].time - kOrigin;
            EXPECT_NEAR(seconds, r.picks[k].second, 1e-6);
            // Columns: 10 px per second from -5 s; reduced, (t - km / 8 + 32.7988) * 600 / 73.9928.
            EXPECT_NEAR(plain.xAt(seconds, t.distanceKm), (r.picks[k].second + 5) * 10, 1e-6);
            const double reducedSeconds = r.picks[k].second - r.km / 8;
            EXPECT_NEAR(reduced.xAt(seconds, t.distanceKm), (reducedSeconds + 32.798825) * 600 / 73.992840,
                        1e-3);
        }
    }
    // EST's P reduced: 19.234 - 111.1953 / 8 = 5.3346 s.
    EXPECT_NEAR((Reduction{true, 8.0}.offset(111.1953)), 13.8994, 1e-4);
    EXPECT_EQ(Reduction{}.offset(111.1953), 0.0);

    // The wiggle spans the signal inside the pane's interval (-3 .. 1; the 50 lies before it)
    // over its band about its distance, starting at the left edge of the section's time axis.
    const SectionTrace& est = s.traces[1];
    EXPECT_EQ(est.raw.min, -3);
    EXPECT_EQ(est.raw.max, 1);
    EXPECT_TRUE(est.transformed.empty());
    const int half = plain.halfBand(s.traces.size());
    EXPECT_EQ(half, 37);  // 300 / (2 x 4)
    const TraceMapping m = TraceBandMapping(s, est, est.signal(true), reduced, half);
    EXPECT_NEAR(m.start, kOrigin + 13.8994 - 32.7988, 1e-3);
    EXPECT_EQ(m.plot.top, 256 - 37);
    EXPECT_EQ(m.plot.bottom, 256 + 37);

    // A click at a row finds the nearest trace within a band, none between them.
    EXPECT_EQ(TraceAt(s, plain, 256), 1);
    EXPECT_EQ(TraceAt(s, plain, 257), 0);
    EXPECT_EQ(TraceAt(s, plain, 45), 2);
    EXPECT_EQ(TraceAt(s, plain, 150), -1);

    // The curves: P and S, which were picked; with every curve, more.
    ASSERT_EQ(s.curves.size(), 2u);
    EXPECT_EQ(s.curves[0].phase, "P");
    EXPECT_EQ(s.curves[1].phase, "S");
    EXPECT_GT(build(true).curves.size(), 4u);

    event.hypocentreValid = false;
    try {
        build();
        ADD_FAILURE() << "a section without a hypocentre";
    } catch (const ZelError& e) {
        EXPECT_STREQ(e.what(), kNoHypocentreText);
    }
}

TEST_F(RecordSectionTest, CurvesFollowTheTravelTimeTable) {
    // Samples at 0, 0.5, 1, 1.5 and 2 degrees fall on the table's nodes, where the spline is the
    // table itself; at 15 km, halfway between the 10 and 20 km rows.
    struct Row {
        const char* phase;
        double depth;
        double times[5];
    };
    const Row rows[] = {
        {"P", 10, {1.724, 9.732, 19.234, 26.95, 33.827}},
        {"S", 10, {2.976, 16.799, 33.2, 47.392, 59.761}},
        {"P", 15, {2.586, 9.9125, 18.9265, 26.351, 33.228}},
        {"S", 15, {4.464, 17.119, 32.7095, 46.4065, 58.775}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.phase + std::to_string(r.depth));
        const SectionCurve c = SampleCurve(r.phase, catalogue, r.depth, 0, 2 * kKilometresPerDegree, 4);
        ASSERT_EQ(c.runs.size(), 1u);
        ASSERT_EQ(c.runs[0].size(), 5u);
        for (int i = 0; i < 5; ++i) {
            EXPECT_NEAR(c.runs[0][i].km, 0.5 * i * kKilometresPerDegree, 1e-9);
            EXPECT_NEAR(c.runs[0][i].time, r.times[i], 2e-3);
        }
    }
    // A depth phase has no time at the surface; an unknown phase has no curve.
    EXPECT_TRUE(SampleCurve("pP", catalogue, 0, 0, 200).runs.empty());
    EXPECT_TRUE(SampleCurve("XYZ", catalogue, 10, 0, 200).runs.empty());
}

}  // namespace
}  // namespace zel

// The plane-wave fit: a hand-worked slowness vector, the degenerate station sets, and the demo
// teleseism across the demo array, whose direction and slowness are known from its epicentre.

#include "events/PlaneWave.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "data/StationModel.h"
#include "data/demo/DemoDiskLoop.h"
#include "events/DistAz.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

// A point whose plane coordinates (distance * sin/cos of the azimuth) are exactly (u, v).
PlaneWavePoint At(double u, double v, double time) {
    return {time, std::hypot(u, v), std::atan2(u, v) * 180 / std::numbers::pi};
}

TEST(PlaneWave, RecoversAHandWorkedSlownessVector) {
    // t = 100 - 3u - 4v: |s| = 5 s/deg, travelling toward atan2(3, 4) = 36.87 degrees.
    std::vector<PlaneWavePoint> points;
    for (auto [u, v] : {std::pair{0.1, 0.0}, {0.0, 0.1}, {-0.1, 0.05}, {0.03, -0.08}, {0.0, 0.0}})
        points.push_back(At(u, v, 1.6e9 + 100 - 3 * u - 4 * v));
    const auto fit = FitPlaneWave(points);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->slowness, 5.0, 1e-6);
    EXPECT_NEAR(fit->azimuth, 36.869897645844, 1e-5);
    EXPECT_NEAR(fit->velocity, 111.1953 / 5.0, 1e-5);
    EXPECT_NEAR(fit->rms, 0.0, 1e-6);
    EXPECT_EQ(fit->count, 5);

    // A late onset at one station shows in the RMS; with three points there is none to show.
    points[3].time += 0.2;
    EXPECT_GT(FitPlaneWave(points)->rms, 0.01);
    points.resize(3);
    EXPECT_EQ(FitPlaneWave(points)->rms, 0.0);
}

TEST(PlaneWave, DegenerateStationSetsGiveNoAnswer) {
    EXPECT_FALSE(FitPlaneWave({}));
    EXPECT_FALSE(FitPlaneWave({At(0, 0, 1), At(0.1, 0, 2)}));
    // Three stations on one line cannot tell the direction.
    EXPECT_FALSE(FitPlaneWave({At(0, 0, 1), At(0.1, 0.1, 2), At(0.2, 0.2, 3)}));
    // Everything at one place.
    EXPECT_FALSE(FitPlaneWave({At(0, 0, 1), At(0, 0, 2), At(0, 0, 3)}));
    // Simultaneous onsets: no slowness, no direction.
    EXPECT_FALSE(FitPlaneWave({At(0, 0, 5), At(0.1, 0, 5), At(0, 0.1, 5)}));
}

TEST(PlaneWave, DemoTeleseismAcrossTheDemoArray) {
    const std::string resources = ZEL_RESOURCES_DIR;
    PhaseCatalogue catalogue;
    catalogue.Load(resources + "/traveltimes/iasp91/", "/nowhere/");
    const demo::DemoEvent& event = demo::DemoEvents().at(1);
    const auto arrivals = demo::DemoArrivals(resources);

    // The array's stations with their channels at the survey offsets from BKA0, and the P picks
    // of the teleseism on them; one pick left out of the calculation, an S pick that is not used.
    std::vector<Station> stations;
    ZELPhases phases;
    int reference = -1;
    for (const demo::DemoStation& s : demo::DemoStations()) {
        if (std::string(s.refsta) != "BKA0") continue;
        Station st;
        st.code = s.code;
        st.lat = static_cast<float>(s.lat);
        st.lon = static_cast<float>(s.lon);
        st.slots[0].channel = "SHZ";
        st.slots[0].lat = static_cast<float>(s.lat + s.dnorth / 111.1953);
        st.slots[0].lon =
            static_cast<float>(s.lon + s.deast / (111.1953 * std::cos(s.lat * std::numbers::pi / 180)));
        const int index = static_cast<int>(stations.size());
        if (st.code == "BKA0") reference = index;
        stations.push_back(st);
        for (const demo::DemoArrival& a : arrivals) {
            if (a.station != s.code || a.phase != "P" || a.event != 1) continue;
            SEISMIC_PHASE pick;
            pick.stationIndex = index;
            pick.phaseIndex = catalogue.IndexOf("P");
            pick.included = 1;
            SetPickTime(pick, a.time);
            phases.Add(pick);
            pick.phaseIndex = catalogue.IndexOf("S");
            SetPickTime(pick, a.time + 300);
            phases.Add(pick);
        }
    }
    ASSERT_EQ(reference, 0);
    ASSERT_EQ(catalogue.IndexOf("P"), 0);
    phases.Find(9, 0, 0)->included = 0;
    const auto points = PlaneWavePoints(phases, stations, reference);
    ASSERT_EQ(points.size(), 9u);
    const auto fit = FitPlaneWave(points);
    ASSERT_TRUE(fit);

    // The wave travels away from the epicentre: the station's back azimuth turned by 180.
    const auto path = DistAz(event.lat, event.lon, stations[0].lat, stations[0].lon);
    EXPECT_LT(std::fabs(std::remainder(fit->azimuth - (path->backAzimuth + 180), 360.0)), 1.0);
    // The slowness is the slope of the P curve there (seconds per degree).
    const int p = catalogue.IndexOf("P");
    const auto depth = static_cast<float>(event.depth), d = static_cast<float>(path->distance);
    const double slope =
        (catalogue.TravelTime(p, depth, d + 0.25f) - catalogue.TravelTime(p, depth, d - 0.25f)) / 0.5;
    EXPECT_NEAR(fit->slowness, slope, 0.03 * slope);
    EXPECT_NEAR(fit->velocity, 111.1953 / slope, 0.03 * 111.1953 / slope);

    // Only the reference station's included P pick takes the result, in seconds per degree.
    EXPECT_EQ(ApplyPlaneWave(phases, reference, *fit), 1);
    const SEISMIC_PHASE* refP = phases.Find(reference, 0, p);
    EXPECT_EQ(refP->hasAzimuth, 1);
    EXPECT_FLOAT_EQ(refP->azimuth, static_cast<float>(fit->azimuth));
    EXPECT_EQ(refP->hasSlowness, 1);
    EXPECT_FLOAT_EQ(refP->slowness, static_cast<float>(fit->slowness));
    EXPECT_EQ(phases.Find(reference, 0, catalogue.IndexOf("S"))->hasSlowness, 0);
    EXPECT_EQ(phases.Find(1, 0, p)->hasAzimuth, 0);
    // A reference outside the station table gives no points.
    EXPECT_TRUE(PlaneWavePoints(phases, stations, 99).empty());
}

}  // namespace
}  // namespace zel

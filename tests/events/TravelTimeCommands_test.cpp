// The travel-time commands' work on the shipped IASP91 tables: the calculator's answer, the
// distance from S-P on the demo's local earthquake (whose true distances the demo knows), and
// the automatic phase placement in its three modes.

#include "events/TravelTimeCommands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "data/demo/DemoDiskLoop.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

const PhaseCatalogue& Iasp91() {
    static const PhaseCatalogue catalogue = [] {
        PhaseCatalogue c;
        c.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "/nowhere/");
        return c;
    }();
    return catalogue;
}

int Phase(const char* name) { return Iasp91().IndexOf(name); }

SEISMIC_PHASE Pick(int station, int channel, const char* phase, double time) {
    SEISMIC_PHASE p;
    p.stationIndex = station;
    p.channelIndex = channel;
    p.phaseIndex = Phase(phase);
    SetPickTime(p, time);
    return p;
}

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ZelError& e) {
        return e.what();
    }
    return {};
}

TEST(TravelTimeCalculator, ShowsHoursMinutesSeconds) {
    EXPECT_EQ(TravelTimeText(3725.5), "Время пробега=01:02:05.50");
    EXPECT_EQ(TravelTimeText(59.999), "Время пробега=00:00:60.00");  // rounding of the seconds only
    EXPECT_EQ(TravelTimeText(49 * 3600 + 61.25), "Время пробега=01:01:01.25");

    // P at 30 degrees from the surface: the IASP91 value is 370.0 s (TauP gives 370.06).
    EXPECT_NEAR(CalculatorTravelTime(Iasp91(), "P", 0, 30), 370.0, 0.5);
    EXPECT_EQ(ErrorOf([] { CalculatorTravelTime(Iasp91(), "Pxyz", 0, 30); }),
              "В системе отсутствует годограф Pxyz");
    EXPECT_EQ(ErrorOf([] { CalculatorTravelTime(Iasp91(), "tx", 0, 30); }),
              "Ошибка загрузки файла годографа tx");
    // P does not reach 150 degrees (no diffracted branch in the table).
    EXPECT_EQ(ErrorOf([] { CalculatorTravelTime(Iasp91(), "P", 0, 150); }),
              "Нет данных годографа для фазы P");
}

TEST(DistanceEstimate, SMinusPOnTheDemoEarthquakeFindsEveryStationsDistance) {
    const demo::DemoEvent& event = demo::DemoEvents().at(0);
    const auto arrivals = demo::DemoArrivals(ZEL_RESOURCES_DIR);
    std::map<std::string, int> stationIndex;
    ZELPhases phases;
    for (const demo::DemoArrival& a : arrivals) {
        if (a.event != 0) continue;
        const int station =
            stationIndex.emplace(a.station, static_cast<int>(stationIndex.size())).first->second;
        // Picks are read to the hundredth of a second, as on a pane.
        phases.Add(Pick(station, 0, a.phase.c_str(), std::round(a.time * 100) / 100));
    }
    int checked = 0;
    for (const demo::DemoArrival& a : arrivals) {
        if (a.event != 0 || a.phase != "S") continue;
        const int station = stationIndex.at(a.station);
        const DistanceEstimate e = EstimateDistance(Iasp91(), phases, station, 0, Phase("P"), Phase("S"), 10);
        EXPECT_NEAR(e.distance, a.distance, 1.0) << a.station;
        EXPECT_NEAR(e.distance, a.distance, 0.05) << a.station;  // in fact far better
        EXPECT_NEAR(e.originTime, event.origin, 1.0) << a.station;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(DistanceEstimate, RefusalsAndTheAcceptedResult) {
    ZELPhases phases;
    const double t0 = 1371211697.35;
    phases.Add(Pick(2, 1, "P", t0 + 60));
    EXPECT_EQ(ErrorOf([&] { EstimateDistance(Iasp91(), phases, 2, 1, Phase("P"), Phase("P"), 10); }),
              "Фазы совпадают");
    EXPECT_EQ(ErrorOf([&] { EstimateDistance(Iasp91(), phases, 2, 1, Phase("P"), Phase("S"), 10); }),
              "Нет отметки фазы S");
    EXPECT_EQ(ErrorOf([&] { EstimateDistance(Iasp91(), phases, 2, 0, Phase("P"), Phase("S"), 10); }),
              "Нет отметки фазы P");
    // S-P larger than anywhere in the tables.
    phases.Add(Pick(2, 1, "S", t0 + 60 + 5000));
    EXPECT_EQ(ErrorOf([&] { EstimateDistance(Iasp91(), phases, 2, 1, Phase("P"), Phase("S"), 10); }),
              "Нет решения");

    // S-P of 10 degrees at 10 km; the origin time is the P pick less the P travel time.
    const double p10 = Iasp91().TravelTime(Phase("P"), 10, 10), s10 = Iasp91().TravelTime(Phase("S"), 10, 10);
    phases.Add(Pick(2, 1, "S", t0 + 60 + (s10 - p10)));
    const DistanceEstimate e = EstimateDistance(Iasp91(), phases, 2, 1, Phase("P"), Phase("S"), 10);
    EXPECT_NEAR(e.distance, 10.0, 0.01);
    EXPECT_NEAR(e.originTime, t0 + 60 - p10, 0.05);
    EXPECT_EQ(
        DistanceEstimateText({10.0, 1371211697.37}, 10.4f),
        "Расстояние до эпицентра 10.000 градусов.\n Время в очаге 12:08:17.4 14.06.2013\n при глубине 10 км");

    CurrentEvent event;
    event.lat = 52.0f;
    event.lon = 105.0f;
    std::map<int, float> estimates;
    ApplyDistanceEstimate(e, 10, 2, 1, Phase("P"), Phase("S"), phases, event, estimates);
    EXPECT_FLOAT_EQ(estimates.at(2), static_cast<float>(e.distance));
    EXPECT_EQ(event.originTime, e.originTime);
    EXPECT_EQ(event.depth, 10.0f);
    EXPECT_EQ(event.lat, 52.0f);
    EXPECT_FLOAT_EQ(phases.Find(2, 1, Phase("P"))->distance, static_cast<float>(e.distance));
    EXPECT_FLOAT_EQ(phases.Find(2, 1, Phase("S"))->distance, static_cast<float>(e.distance));
}

TEST(PhasePlacement, ThreeModesPlaceTheSamePhasesForAConsistentEvent) {
    const double origin = 1371212441.80;
    const float depth = 100, distance = 45.5f;
    const double p = origin + Iasp91().TravelTime(Phase("P"), depth, distance);
    const double s = origin + Iasp91().TravelTime(Phase("S"), depth, distance);

    PlacementRequest r;
    r.phases = {Phase("P"), Phase("S"), Phase("pP"), Phase("tx")};  // a marker has no curve
    r.station = 3;
    r.channel = 2;
    r.distance = distance;
    r.depth = depth;
    r.originTime = origin;
    ZELPhases none;
    PlacementResult placed = PlacePhases(Iasp91(), none, r);
    ASSERT_EQ(placed.picks.size(), 3u);
    EXPECT_NEAR(placed.picks[0].time, p, 1e-4);
    EXPECT_NEAR(placed.picks[1].time, s, 1e-4);
    for (const SEISMIC_PHASE& pick : placed.picks) {
        EXPECT_EQ(pick.stationIndex, 3);
        EXPECT_EQ(pick.channelIndex, 2);
        EXPECT_EQ(pick.onset, kOnsetImpulsive);
        EXPECT_EQ(pick.firstMotion, 4);
        EXPECT_EQ(pick.weight, 3);
        EXPECT_EQ(pick.included, 0);
        EXPECT_EQ(pick.savable, 0);
    }

    // Relative to a P pick 2 s late: the origin moves by 2 s and S follows.
    ZELPhases picked;
    picked.Add(Pick(3, 2, "P", p + 2));
    r.mode = PlacementMode::FromPhase;
    r.referencePhase = Phase("P");
    placed = PlacePhases(Iasp91(), picked, r);
    EXPECT_NEAR(placed.originTime, origin + 2, 1e-3);
    EXPECT_NEAR(placed.picks[1].time, s + 2, 1e-3);

    // Relative to the P pick at its true time with the origin kept: the distance is found again.
    picked.Add(Pick(3, 2, "P", p));
    r.mode = PlacementMode::FromPhaseAndOrigin;
    placed = PlacePhases(Iasp91(), picked, r);
    EXPECT_FALSE(placed.noDistance);
    EXPECT_NEAR(placed.distance, distance, 0.01);
    EXPECT_NEAR(placed.picks[1].time, s, 0.1);
    // A P pick before the origin time has no distance: nothing is placed.
    picked.Add(Pick(3, 2, "P", origin - 10));
    placed = PlacePhases(Iasp91(), picked, r);
    EXPECT_TRUE(placed.noDistance);
    EXPECT_TRUE(placed.picks.empty());
}

TEST(PhasePlacement, MissingReferencesAndTimesAreReported) {
    PlacementRequest r;
    r.phases = {Phase("PKPdf"), Phase("P"), Phase("S")};
    r.distance = 150;  // neither P nor S reaches this far; PKP(df) does
    r.depth = 0;
    r.originTime = 1e9;
    ZELPhases none;
    try {
        PlacePhases(Iasp91(), none, r);
        FAIL();
    } catch (const PlacementStopped& e) {
        EXPECT_STREQ(e.what(), "Нет данных годографа для фазы P");
        EXPECT_EQ(e.partial().picks.size(), 1u);  // PKP(df) came before the stop
    }

    r.mode = PlacementMode::FromPhase;
    r.referencePhase = Phase("PKPdf");
    EXPECT_EQ(ErrorOf([&] { PlacePhases(Iasp91(), none, r); }), "Нет отметки фазы PKPdf");
    ZELPhases picked;
    picked.Add(Pick(0, 0, "PKPdf", 1e9 + 1190));
    picked.Add(Pick(0, 0, "tx", 1e9 + 1190));
    picked.Add(Pick(0, 0, "S", 1e9 + 1500));
    r.referencePhase = Phase("tx");
    EXPECT_EQ(ErrorOf([&] { PlacePhases(Iasp91(), picked, r); }), "Нет данных годографа для фазы tx");
    r.referencePhase = Phase("S");
    EXPECT_EQ(ErrorOf([&] { PlacePhases(Iasp91(), picked, r); }), "Нет данных годографа для фазы S");
    // In this mode a phase without a time is passed over with its message.
    r.referencePhase = Phase("PKPdf");
    const PlacementResult placed = PlacePhases(Iasp91(), picked, r);
    EXPECT_EQ(placed.picks.size(), 1u);
    ASSERT_EQ(placed.skipped.size(), 2u);
    EXPECT_EQ(placed.skipped[0], "Нет данных годографа для фазы P");
    EXPECT_EQ(placed.skipped[1], "Нет данных годографа для фазы S");
}

}  // namespace
}  // namespace zel

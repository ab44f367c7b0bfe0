// The rows of the residual plots from a phase list after a location: which picks give a row,
// their distance and azimuth from the epicentre (hand-worked: (0, 0) to (0, 1) is 1 degree, due
// east; to (1, 0) is 0.993278 degree of geocentric arc, due north), defining or excluded, and the
// axis and RMS the plots show.

#include "events/ResidualRows.h"

#include <gtest/gtest.h>

#include "data/StationModel.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

TEST(ResidualRows, DefiningAndExcludedPicksWithTheirGeometry) {
    std::vector<Station> stations(2);
    stations[0].code = "EST";
    stations[0].slots[0].channel = "SHZ";
    stations[0].slots[0].lon = 1;
    stations[1].code = "NRT";
    stations[1].lat = 1;  // the channel has no position of its own: the station's
    stations[1].slots[1].channel = "SHN";
    PhaseCatalogue catalogue;
    CurrentEvent event;
    event.hypocentreValid = true;

    struct Pick {
        int station, slot;
        const char* phase;
        bool hasResidual, included;
        float residual;
    };
    const Pick picks[] = {
        {0, 0, "P", true, true, 0.3f},
        {1, 1, "S", true, false, -2.5f},  // excluded: drawn apart
        {0, 0, "S", false, true, 0.0f},   // no residual: no row
        {5, 0, "P", true, true, 1.0f},    // a station the table does not have: no row
    };
    ZELPhases phases;
    for (int i = 0; i < static_cast<int>(std::size(picks)); ++i) {
        SEISMIC_PHASE p;
        p.stationIndex = picks[i].station;
        p.channelIndex = picks[i].slot;
        p.phaseIndex = catalogue.IndexOf(picks[i].phase);
        p.time = 100.0 + i;
        p.hasResidual = picks[i].hasResidual;
        p.included = picks[i].included;
        p.residual = picks[i].residual;
        phases.Add(p);
    }

    const std::vector<ResidualRow> rows = ResidualRows(phases, stations, catalogue, event);
    struct Expected {
        const char* station;
        const char* phase;
        double deg, km, azimuth, residual;
        bool defining;
    };
    const Expected expected[] = {
        {"EST", "P", 1.0, 111.1953, 90.0, 0.3, true},
        {"NRT", "S", 0.993278, 110.4479, 0.0, -2.5, false},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].station);
        EXPECT_EQ(rows[i].station, expected[i].station);
        EXPECT_EQ(rows[i].phase, expected[i].phase);
        EXPECT_NEAR(rows[i].distanceDeg, expected[i].deg, 1e-6);
        EXPECT_NEAR(rows[i].distanceKm, expected[i].km, 1e-3);
        EXPECT_NEAR(rows[i].azimuth, expected[i].azimuth, 1e-6);
        EXPECT_NEAR(rows[i].residual, expected[i].residual, 1e-6);
        EXPECT_EQ(rows[i].defining, expected[i].defining);
    }
    // The axis holds the largest residual with a tenth to spare; the RMS is the defining picks'.
    EXPECT_NEAR(ResidualRange(rows).first, -2.75, 1e-6);
    EXPECT_NEAR(ResidualRange(rows).second, 2.75, 1e-6);
    EXPECT_NEAR(DefiningRms(rows), 0.3, 1e-6);
    EXPECT_TRUE(ResidualDistancesInKm(rows));
    EXPECT_EQ(ResidualRange({}).second, 1.0);

    event.hypocentreValid = false;
    EXPECT_TRUE(ResidualRows(phases, stations, catalogue, event).empty());
}

}  // namespace
}  // namespace zel

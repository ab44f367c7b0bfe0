// Our shipped IASP91 and AK135 tables, read through the phase catalogue, against 100 travel times
// computed by TauP (tests/data/oracle/traveltime_spot.csv, see the README there).

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "events/PhaseCatalogue.h"

namespace zel {
namespace {

struct Spot {
    std::string model, curve;
    float depth = 0, distance = 0;
    double taup = 0;
    bool onGrid = false;
};

std::vector<Spot> ReadSpots() {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/oracle/traveltime_spot.csv");
    std::vector<Spot> spots;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        std::stringstream ss(line);
        for (std::string field; std::getline(ss, field, ',');) f.push_back(field);
        if (f.size() < 9) continue;
        spots.push_back({f[0], f[1], std::stof(f[4]), std::stof(f[5]), std::stod(f[6]), f[8] == "1"});
    }
    return spots;
}

int PhaseOfCurve(const PhaseCatalogue& catalogue, const std::string& curve) {
    for (int i = 0; i < catalogue.Count(); ++i)
        if (catalogue.CurveName(i) == curve) return i;
    return -1;
}

// The lookup's cells and their neighbours along distance all hold times: the point is not at
// the end of a branch, where the spline has no neighbour to lean on.
bool AwayFromBranchEnds(const PHASEDATA& t, float depth, float distance) {
    int row = 0;
    while (row + 1 < t.depthCount - 1 && t.depths[row + 1] <= depth) ++row;
    int k = 0;
    while (k + 1 < t.distanceCount - 1 && t.distances[k + 1] <= distance) ++k;
    for (int r : {row, row + 1})
        for (int c = k - 2; c <= k + 3; ++c)
            if (c < 0 || c >= t.distanceCount || t.Time(r, c) == -1.0f) return false;
    return true;
}

TEST(TravelTimeSpot, ShippedTablesAgreeWithTauP) {
    std::map<std::string, PhaseCatalogue> catalogues;
    for (const char* model : {"iasp91", "ak135"})
        catalogues[model].Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/" + model + "/", "");

    const std::vector<Spot> spots = ReadSpots();
    ASSERT_EQ(spots.size(), 100u);
    // Off the grid and away from branch ends the spline in distance and the straight line in
    // depth stay within half a second of TauP.
    constexpr double kOffGridBound = 0.5;
    int onGrid = 0, missing = 0, offGridChecked = 0;
    double worstOnGrid = 0, worstOffGrid = 0;
    for (const Spot& s : spots) {
        const PhaseCatalogue& catalogue = catalogues.at(s.model);
        const int phase = PhaseOfCurve(catalogue, s.curve);
        ASSERT_TRUE(catalogue.HasCurve(phase)) << s.model << " " << s.curve;
        const float ours = catalogue.TravelTime(phase, s.depth, s.distance);
        const std::string where =
            s.model + " " + s.curve + " h=" + std::to_string(s.depth) + " d=" + std::to_string(s.distance);
        if (s.taup == -1.0) {
            ++missing;
            EXPECT_EQ(ours, -1.0f) << where;
            continue;
        }
        if (s.onGrid) {
            ++onGrid;
            EXPECT_NEAR(ours, s.taup, 0.06) << where;
            worstOnGrid = std::max(worstOnGrid, std::fabs(ours - s.taup));
            continue;
        }
        const bool away = AwayFromBranchEnds(*catalogue.Table(phase), s.depth, s.distance);
        std::printf("off grid %-28s TauP %9.3f ours %9.3f error %+7.3f%s\n", where.c_str(), s.taup, ours,
                    ours - s.taup, away ? "" : "  (near a branch end)");
        if (!away) continue;
        ++offGridChecked;
        EXPECT_GE(ours, 0.0f) << where;
        EXPECT_NEAR(ours, s.taup, kOffGridBound) << where;
        worstOffGrid = std::max(worstOffGrid, std::fabs(ours - s.taup));
    }
    std::printf("on grid %d (max |error| %.3f s), no arrival %d, off grid checked %d (max |error| %.3f s)\n",
                onGrid, worstOnGrid, missing, offGridChecked, worstOffGrid);
}

}  // namespace
}  // namespace zel

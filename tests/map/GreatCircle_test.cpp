// Great-circle points checked against the distance routine they must agree with.

#include "map/GreatCircle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "events/DistAz.h"

namespace zel {
namespace {

TEST(GreatCircle, PointAtDistanceGivesBackDistanceAndAzimuth) {
    const double starts[][2] = {{0, 0},        {43.3, 76.9},    {-33.9, 151.2},
                                {89.99, 10.0}, {-87.0, -120.0}, {65, 179.5}};
    for (const auto& s : starts)
        for (double distance : {0.5, 10.0, 45.0, 120.0, 179.0})
            for (double azimuth : {0.0, 33.0, 90.0, 200.0, 315.0}) {
                // Near a pole every direction is south or north: only the distance tells.
                const GeoPoint p = PointAtDistance(s[0], s[1], distance, azimuth);
                const auto r = DistAz(s[0], s[1], p.lat, p.lon);
                ASSERT_TRUE(r);
                EXPECT_NEAR(r->distance, distance, 2e-6) << s[0] << " " << s[1] << " " << azimuth;
                if (std::fabs(s[0]) < 89.0) {
                    EXPECT_NEAR(std::remainder(r->azimuth - azimuth, 360.0), 0.0, 1e-4)
                        << s[0] << " " << s[1] << " " << distance;
                }
            }
}

TEST(GreatCircle, HandWorkedPoints) {
    // Along the equator eastward 90° from (0, 100): (0, -170), across the date line.
    const GeoPoint east = PointAtDistance(0.0, 100.0, 90.0, 90.0);
    EXPECT_NEAR(east.lat, 0.0, 1e-6);
    EXPECT_NEAR(east.lon, -170.0, 1e-6);
    // Due north from the equator by 90°: the pole.
    EXPECT_NEAR(PointAtDistance(0.0, 30.0, 90.0, 0.0).lat, 90.0, 1e-6);
}

TEST(GreatCircle, AzimuthLineRunsOutToTheAntipode) {
    const std::vector<GeoPoint> line = AzimuthLine(43.0, 77.0, 60.0);
    ASSERT_EQ(line.size(), 7199u);
    EXPECT_NEAR(Distance(43.0, 77.0, line.front().lat, line.front().lon), 0.025, 1e-6);
    EXPECT_NEAR(Distance(43.0, 77.0, line.back().lat, line.back().lon), 179.975, 1e-5);
    EXPECT_TRUE(AzimuthLine(0, 0, 0, 0.0).empty());
}

TEST(GreatCircle, DistanceCircleKeepsItsRadius) {
    const std::vector<GeoPoint> circle = DistanceCircle(55.0, 37.0, 12.5);
    ASSERT_EQ(circle.size(), 361u);
    for (const GeoPoint& p : circle) EXPECT_NEAR(Distance(55.0, 37.0, p.lat, p.lon), 12.5, 1e-6);
    EXPECT_NEAR(circle.front().lat, circle.back().lat, 1e-9);
}

}  // namespace
}  // namespace zel

// Distances and azimuths against tests/data/oracle/distaz.csv (see the README there): the zel_
// columns are the same geocentric formula transcribed in NumPy; the ObsPy WGS84 geodesic columns
// are an independent sanity check of the geometry itself.

#include "events/DistAz.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace zel {
namespace {

constexpr double kKmPerDegree = 111.19492664455873;  // ObsPy's mean-radius degree

struct Pair {
    double lat1, lon1, lat2, lon2;
    double ellKm, ellAz, ellBaz;
    double deg, az, baz;
    std::string where;
};

std::vector<Pair> ReadPairs() {
    std::ifstream in(std::string(ZEL_TEST_DATA_DIR) + "/oracle/distaz.csv");
    std::vector<Pair> pairs;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<double> v;
        std::stringstream ss(line);
        for (std::string f; std::getline(ss, f, ',');) v.push_back(std::stod(f));
        if (v.size() != 11) continue;
        pairs.push_back({v[0], v[1], v[2], v[3], v[5], v[6], v[7], v[8], v[9], v[10], line});
    }
    return pairs;
}

double AngleBetween(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

TEST(DistAz, MatchesTheGeocentricReferenceToAMicrodegree) {
    const auto pairs = ReadPairs();
    ASSERT_EQ(pairs.size(), 200u);
    for (const Pair& p : pairs) {
        const auto r = DistAz(p.lat1, p.lon1, p.lat2, p.lon2);
        ASSERT_TRUE(r) << p.where;
        EXPECT_NEAR(r->distance, p.deg, 1e-6) << p.where;
        EXPECT_GE(r->azimuth, 0.0);
        EXPECT_LT(r->azimuth, 360.0);
        EXPECT_GE(r->backAzimuth, 0.0);
        EXPECT_LT(r->backAzimuth, 360.0);
        if (p.deg == 0) continue;
        // The reference writes 360 where the formula gives a hair below it.
        EXPECT_LT(AngleBetween(r->azimuth, p.az), 1e-6) << p.where;
        EXPECT_LT(AngleBetween(r->backAzimuth, p.baz), 1e-6) << p.where;
        EXPECT_DOUBLE_EQ(Distance(p.lat1, p.lon1, p.lat2, p.lon2), r->distance);
    }
}

TEST(DistAz, AgreesWithTheWgs84GeodesicWithinAQuarterDegree) {
    for (const Pair& p : ReadPairs()) {
        const auto r = DistAz(p.lat1, p.lon1, p.lat2, p.lon2);
        ASSERT_TRUE(r);
        EXPECT_NEAR(r->distance, p.ellKm / kKmPerDegree, 0.25) << p.where;
        // Near the antipode the direction of the shortest path turns fast; compare before it.
        if (r->distance == 0 || r->distance > 120) continue;
        EXPECT_LT(AngleBetween(r->azimuth, p.ellAz), 0.25) << p.where;
        EXPECT_LT(AngleBetween(r->backAzimuth, p.ellBaz), 0.25) << p.where;
    }
}

TEST(DistAz, EdgeCases) {
    // Along the equator the degree factor converts there and back: the distance is 90. The
    // azimuth's radians are exactly pi/2 and the larger factor leaves 89.99999985.
    auto r = DistAz(0, 0, 0, 90);
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->distance, 90.0, 1e-9);
    EXPECT_NEAR(r->azimuth, 90.0 * 3.14159265358979323846 / 180 / kDistAzRadiansPerDegree, 1e-9);
    EXPECT_NEAR(r->backAzimuth, 270.0, 1e-6);

    r = DistAz(41.05, 44.27, 41.05, 44.27);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->distance, 0.0);
    EXPECT_EQ(r->azimuth, 0.0);
    EXPECT_EQ(r->backAzimuth, 0.0);

    // Due north along a meridian: azimuth exactly 0, never -0 (printed "-0.00").
    r = DistAz(10, 20, 30, 20);
    ASSERT_TRUE(r);
    EXPECT_FALSE(std::signbit(r->azimuth));
    EXPECT_EQ(FormatAzimuth(r->azimuth, 2), "0.00");
    EXPECT_EQ(FormatAzimuth(r->backAzimuth, 2), "180.00");

    // Both 89.99 and 90 take the polar branch, psi = phi / 0.993277 - 0.01063193: the offset
    // cancels and the 0.01 degree between them is stretched by 1 / 0.993277.
    EXPECT_NEAR(Distance(89.99, 0, 90, 0), 0.01 / kGeocentricFactor, 1e-9);
    // Just outside the polar cap (3 degrees from the pole) the tangent form is used: the
    // geocentric latitude of 87 N is 86.9797 (atan(0.993277 tan 87 deg)).
    EXPECT_NEAR(Distance(87, 0, 90, 0), 3.020268, 1e-4);
    // A geographic and a geocentric latitude differ most near 45 degrees (about 0.19 degree).
    EXPECT_NEAR(Distance(0, 0, 45, 0), 44.8076, 1e-3);

    // Out of range: nothing at all, and Distance answers 0.
    EXPECT_FALSE(DistAz(90.001, 0, 0, 0));
    EXPECT_FALSE(DistAz(0, 0, 0, -180.5));
    EXPECT_FALSE(DistAz(NAN, 0, 0, 0));
    EXPECT_EQ(Distance(0, 181, 0, 0), 0.0);
    EXPECT_TRUE(DistAz(-90, -180, 90, 180));
}

TEST(DistAz, AzimuthsAreBroughtIntoOneTurnAndPrintWithoutMinusZero) {
    EXPECT_EQ(NormalizeAzimuth(-90), 270.0);
    EXPECT_EQ(NormalizeAzimuth(720.5), 0.5);
    EXPECT_FALSE(std::signbit(NormalizeAzimuth(-0.0)));
    EXPECT_EQ(NormalizeAzimuth(-1e-15), 0.0);  // 360 - 1e-15 rounds to 360
    EXPECT_EQ(FormatAzimuth(-0.0, 2), "0.00");
    EXPECT_EQ(FormatAzimuth(-0.001, 2), "0.00");
    EXPECT_EQ(FormatAzimuth(359.996, 2), "0.00");
    EXPECT_EQ(FormatAzimuth(359.994, 2), "359.99");
    EXPECT_EQ(FormatAzimuth(12.345, 1), "12.3");
}

}  // namespace
}  // namespace zel

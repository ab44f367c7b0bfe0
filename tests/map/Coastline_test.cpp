// The coastline file's records and the segments drawn from them.

#include "map/Coastline.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

const MapArea kArea{0, 0, 360, 180};

std::vector<CoastPoint> Line(std::initializer_list<std::pair<double, double>> latLon) {
    std::vector<CoastPoint> points;
    for (auto [lat, lon] : latLon)
        points.push_back({static_cast<std::int16_t>(points.empty() ? kCoastlineStartCode : 1), lat, lon});
    return points;
}

TEST(Coastline, RecordsAreLittleEndianMinutesWithTheSignOnBoth) {
    // code 1001, latitude 60°30' (3630), longitude -2°30' (-150 = 0xff6a); then code 5, -0°01', 180°.
    const std::vector<unsigned char> bytes = {0xe9, 0x03, 0x2e, 0x0e, 0x6a, 0xff, 0x05, 0x00,
                                              0xff, 0xff, 0x30, 0x2a, 0x01, 0x02, 0x03};  // + a torn record
    const std::vector<CoastPoint> points = DecodeCoastline(bytes);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_TRUE(points[0].startsLine());
    EXPECT_DOUBLE_EQ(points[0].lat, 60.5);
    EXPECT_DOUBLE_EQ(points[0].lon, -2.5);
    EXPECT_FALSE(points[1].startsLine());
    EXPECT_DOUBLE_EQ(points[1].lat, -1.0 / 60.0);
    EXPECT_DOUBLE_EQ(points[1].lon, 180.0);

    std::vector<unsigned char> written;
    AppendCoastRecord(written, 1001, 60.5, -2.5);
    AppendCoastRecord(written, 5, -1.0 / 60.0, 180.0);
    EXPECT_EQ(written, std::vector<unsigned char>(bytes.begin(), bytes.begin() + 12));
}

TEST(Coastline, MissingFileGivesNoPoints) { EXPECT_TRUE(ReadCoastlineFile("/nonexistent/map.pnt").empty()); }

// A coastline running east across the 180° meridian (the Chukotka coast, say) is broken there in
// every view, instead of a line drawn across the whole map.
TEST(Coastline, LineCrossingTheDateLineIsBrokenThere) {
    const std::vector<CoastPoint> line = Line({{65.0, 178.0}, {65.5, 179.5}, {66.0, -179.5}, {66.5, -178.0}});
    const std::vector<PixelSegment> whole = CoastlineSegments(line, MapProjection(MapView{}, kArea));
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_DOUBLE_EQ(whole[0].x2, 359.5);  // up to 179.5 at the right edge
    EXPECT_DOUBLE_EQ(whole[1].x1, 0.5);    // on from -179.5 at the left edge
    const std::vector<PixelSegment> across =
        CoastlineSegments(line, MapProjection(MapView{-90.0, 90.0, 170.0, -170.0, 20.0}, kArea));
    ASSERT_EQ(across.size(), 2u);
    EXPECT_DOUBLE_EQ(across[0].x1, 8.0 * 18);
    EXPECT_DOUBLE_EQ(across[1].x2, 12.0 * 18);
}

// Shown from 0° (the seam of the view at 0°), a line across the prime meridian is broken at the
// edges, being longer than half the map.
TEST(Coastline, LineAcrossTheSeamOfTheViewIsBroken) {
    MapView fromZero{-90.0, 90.0, 0.0, 0.0, 360.0};
    const std::vector<PixelSegment> segments =
        CoastlineSegments(Line({{50.0, -1.0}, {50.0, 1.0}, {50.0, 2.0}}), MapProjection(fromZero, kArea));
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_DOUBLE_EQ(segments[0].x1, 1.0);
}

TEST(Coastline, SeamsOfTheSourcePolygonsAreNoCoast) {
    EXPECT_TRUE(IsPolygonSeam(69.0, 180.0, 65.08, 180.0));  // Chukotka cut at the date line
    EXPECT_TRUE(IsPolygonSeam(65.0, -180.0, 69.0, -180.0));
    EXPECT_TRUE(IsPolygonSeam(-78.1, 180.0, -90.0, 180.0));  // Antarctica closed over the pole
    EXPECT_TRUE(IsPolygonSeam(-90.0, 0.0, -68.9, 0.0));
    EXPECT_FALSE(IsPolygonSeam(55.15, -82.33, 52.95, -82.33));  // a real coast along a meridian
    EXPECT_FALSE(IsPolygonSeam(65.5, 179.5, 66.0, -179.5));
}

TEST(Coastline, SegmentNeedsItsEndPointVisibleAndANewLineStartsFresh) {
    const MapProjection p(MapView{0.0, 40.0, 0.0, 40.0, 40.0}, kArea);
    std::vector<CoastPoint> points = Line({{-5.0, 10.0}, {5.0, 10.0}, {45.0, 10.0}, {35.0, 10.0}});
    points.push_back({kCoastlineStartCode, 20.0, 20.0});
    points.push_back({1, 20.0, 21.0});
    const std::vector<PixelSegment> segments = CoastlineSegments(points, p);
    // in from outside (drawn), out (not), back in (drawn), then the new line's first segment.
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_DOUBLE_EQ(segments[0].y1, 180.0 + 5 * 4.5);
    EXPECT_DOUBLE_EQ(segments[2].x1, 20 * 9.0);
}

}  // namespace
}  // namespace zel

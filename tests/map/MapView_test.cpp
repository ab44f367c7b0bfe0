// Zoom and shift steps of the map view, and the projection of longitudes and latitudes onto the
// map area, including views that cross the 180° meridian.

#include "map/MapView.h"

#include <gtest/gtest.h>

#include <cmath>

#include "map/MapProjection.h"

namespace zel {
namespace {

const MapArea kArea{10, 20, 370, 200};  // 360 x 180 pixels: one pixel per degree for the whole world

TEST(MapView, ThreeZoomInsFromTheWholeWorld) {
    MapView view;
    for (int i = 0; i < 3; ++i) ZoomIn(view);
    EXPECT_NEAR(view.width, 106.667, 1e-3);
    EXPECT_NEAR(view.height(), 53.333, 1e-3);
    EXPECT_NEAR(view.lonMin, -53.333, 1e-3);
    EXPECT_NEAR(view.lonMax, 53.333, 1e-3);
    EXPECT_NEAR(view.latMin + view.latMax, 0.0, 1e-9);
    // Out again three times: the whole world, and no further.
    for (int i = 0; i < 4; ++i) ZoomOut(view);
    EXPECT_EQ(view, MapView{});
}

TEST(MapView, ZoomKeepsTheCentreAcrossTheDateLine) {
    MapView view{-10.0, 10.0, 170.0, -170.0, 20.0};
    ZoomOut(view);
    EXPECT_DOUBLE_EQ(view.lonMin, 165.0);
    EXPECT_DOUBLE_EQ(view.lonMax, -165.0);
    EXPECT_DOUBLE_EQ(view.width, 30.0);
    // Zooming out near a pole clamps the latitudes instead of leaving the globe.
    MapView polar{70.0, 90.0, 0.0, 20.0, 20.0};
    ZoomOut(polar);
    EXPECT_DOUBLE_EQ(polar.latMax, 90.0);
    EXPECT_DOUBLE_EQ(polar.latMin, 65.0);
}

TEST(MapView, ShiftingEastTwiceFromTheWholeWorld) {
    MapView view;
    ShiftEast(view);
    EXPECT_DOUBLE_EQ(view.lonMin, 0.0);
    EXPECT_DOUBLE_EQ(view.lonMax, 0.0);
    EXPECT_DOUBLE_EQ(view.width, 360.0);
    ShiftEast(view);  // 180 ... 180 is the reset view
    EXPECT_EQ(view, MapView{});
    ShiftWest(view);
    EXPECT_DOUBLE_EQ(view.lonMin, 0.0);
    ShiftWest(view);
    EXPECT_EQ(view, MapView{});
}

TEST(MapView, ShiftsWrapLongitudesAndStopAtThePoles) {
    MapView view{0.0, 40.0, 150.0, 170.0, 20.0};
    ShiftEast(view);
    EXPECT_DOUBLE_EQ(view.lonMin, 160.0);
    EXPECT_DOUBLE_EQ(view.lonMax, 180.0);
    ShiftEast(view);
    EXPECT_DOUBLE_EQ(view.lonMin, 170.0);
    EXPECT_DOUBLE_EQ(view.lonMax, -170.0);
    EXPECT_DOUBLE_EQ(view.width, 20.0);
    ShiftNorth(view);
    ShiftNorth(view);
    EXPECT_DOUBLE_EQ(view.latMin, 40.0);
    ShiftNorth(view);  // would reach 100: stops at the pole with the height kept
    EXPECT_DOUBLE_EQ(view.latMax, 90.0);
    EXPECT_DOUBLE_EQ(view.latMin, 50.0);
    MapView south{-80.0, -40.0, 0.0, 10.0, 10.0};
    ShiftSouth(south);
    EXPECT_DOUBLE_EQ(south.latMin, -90.0);
    EXPECT_DOUBLE_EQ(south.latMax, -50.0);
}

TEST(MapView, BoxZoomSortsAndClampsAndIgnoresAnEmptyBox) {
    MapView view;
    ZoomToBox(view, 175.0, 10.0, 30.0, -95.0);
    EXPECT_EQ(view, (MapView{-90.0, 30.0, 175.0, -175.0, 10.0}));
    const MapView before = view;
    ZoomToBox(view, 0.0, 0.0, 0.0, 10.0);
    ZoomToBox(view, 0.0, 10.0, 5.0, 5.0);
    EXPECT_EQ(view, before);
}

TEST(MapView, NormalizeLongitude) {
    EXPECT_DOUBLE_EQ(NormalizeLongitude(180.0), 180.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(-180.0), -180.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(190.0), -170.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(-190.0), 170.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(360.0), 0.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(540.0), 180.0);
    EXPECT_FALSE(std::signbit(NormalizeLongitude(-360.0)));
}

TEST(MapProjection, ViewAcrossTheDateLinePlacesStationsEastOfItsLeftEdge) {
    const MapProjection p(MapView{-90.0, 90.0, 170.0, -170.0, 20.0}, kArea);  // 18 pixels per degree
    EXPECT_EQ(p.x(175.0), kArea.left + 5 * 18);
    EXPECT_EQ(p.x(-175.0), kArea.left + 15 * 18);
    EXPECT_EQ(p.x(170.0), kArea.left);
    EXPECT_EQ(p.x(-170.0), kArea.right);
    EXPECT_TRUE(p.visible(0.0, 175.0));
    EXPECT_TRUE(p.visible(0.0, -175.0));
    EXPECT_TRUE(p.visible(0.0, 180.0));
    EXPECT_FALSE(p.visible(0.0, 165.0));
    EXPECT_FALSE(p.visible(0.0, -165.0));
    EXPECT_FALSE(p.visible(0.0, 0.0));
    EXPECT_DOUBLE_EQ(p.lonAt(kArea.left + 15 * 18), -175.0);
}

TEST(MapProjection, TheResetViewPutsTheDateLineAtBothEdges) {
    const MapProjection p(MapView{}, kArea);
    EXPECT_EQ(p.x(-180.0), kArea.left);
    EXPECT_EQ(p.x(180.0), kArea.right);
    EXPECT_EQ(p.x(0.0), kArea.left + 180);
    EXPECT_EQ(p.x(-90.5), kArea.left + 90);  // 89.5 rounds half up
    EXPECT_DOUBLE_EQ(p.y(90.0), kArea.top);
    EXPECT_DOUBLE_EQ(p.y(-90.0), kArea.bottom);
    EXPECT_DOUBLE_EQ(p.y(45.0), kArea.top + 45);
    EXPECT_DOUBLE_EQ(p.latAt(kArea.top + 45), 45.0);
}

// The whole world shown from 0° (min = max): every longitude has one place, eastward from 0 at
// the left edge, and every longitude is inside the view.
TEST(MapProjection, WholeWorldFromZeroMapsEveryLongitudeOnce) {
    MapView view;
    ShiftEast(view);
    const MapProjection p(view, kArea);
    EXPECT_EQ(p.x(0.0), kArea.left);
    EXPECT_EQ(p.x(90.0), kArea.left + 90);
    EXPECT_EQ(p.x(180.0), kArea.left + 180);
    EXPECT_EQ(p.x(-180.0), kArea.left + 180);
    EXPECT_EQ(p.x(-90.0), kArea.left + 270);
    EXPECT_EQ(p.x(-1.0), kArea.left + 359);
    for (double lon = -180.0; lon <= 180.0; lon += 7.5) EXPECT_TRUE(p.visible(10.0, lon)) << lon;
    double previous = -1.0;
    for (double lon = 0.0; lon < 360.0; lon += 0.5) {
        const double x = p.xExact(NormalizeLongitude(lon));
        EXPECT_GT(x, previous) << lon;
        previous = x;
    }
}

TEST(MapProjection, MapAreaLeavesTheMargins) {
    const MapArea area = MapAreaOf(400, 300, 25, 12);
    EXPECT_EQ(area.left, 25);
    EXPECT_EQ(area.right, 375);
    EXPECT_EQ(area.top, 12);
    EXPECT_EQ(area.bottom, 288);
    EXPECT_TRUE(area.contains(25, 288));
    EXPECT_FALSE(area.contains(24, 100));
}

}  // namespace
}  // namespace zel

// What makes the map usable at network scale: the view fitted to the stations and zoomed about the
// pointer, the layers chosen by scale, names that do not overlap, arrays as one symbol, a round
// scale bar and grid, and the binned GSHHG lines (Lake Baikal where atlases put it).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "map/BinnedLines.h"
#include "map/MapLabels.h"
#include "map/MapProjection.h"
#include "map/MapView.h"

namespace zel {
namespace {

TEST(MapScale, FitViewAndZoomAboutThePointer) {
    // Stations around Lake Baikal, 6° of longitude by 4° of latitude, centred at 52.5° N.
    const std::vector<GeoPoint> baikal{{50.5, 104.0}, {54.5, 110.0}, {52.0, 107.0}};
    const MapView fitted = FitView(baikal, 1.6);
    EXPECT_NEAR((fitted.latMin + fitted.latMax) / 2.0, 52.5, 1e-9);
    EXPECT_NEAR(fitted.lonMin + fitted.width / 2.0, 107.0, 1e-9);
    EXPECT_LE(fitted.latMin, 50.5 - 0.5);  // a margin round every station
    EXPECT_GE(fitted.latMax, 54.5 + 0.5);
    EXPECT_LE(fitted.lonMin, 104.0 - 0.8);
    EXPECT_GE(fitted.lonMax, 110.0 + 0.8);
    // Shaped for the area: a degree of longitude cos(52.5°) as wide as one of latitude.
    EXPECT_NEAR(fitted.width * std::cos(52.5 * M_PI / 180.0) / fitted.height(), 1.6, 1e-9);

    // Either side of the date line the box is the short way round, not the whole world.
    const MapView pacific = FitView({{-17.0, 178.0}, {-19.0, -179.0}}, 1.0);
    EXPECT_LT(pacific.width, 10.0);
    EXPECT_TRUE(MapProjection(pacific, {0, 0, 100, 100}).visible(-18.0, 179.9));
    EXPECT_EQ(FitView({}, 1.0), MapView{});

    // The wheel: the point under the pointer stays there, in and out, across the date line.
    struct Case {
        MapView view;
        double lat, lon, factor;
    } cases[] = {{fitted, 53.0, 108.0, 0.8}, {fitted, 51.0, 104.5, 1.25}, {pacific, -18.5, -179.5, 0.5},
                 {MapView{}, 10.0, 20.0, 0.5}, {MapView{}, 0.0, 180.0, 0.5}};  // the right edge stays right
    const MapArea area{0, 0, 800, 500};
    for (const Case& c : cases) {
        const MapProjection before(c.view, area);
        MapView zoomed = c.view;
        ZoomAbout(zoomed, c.lat, c.lon, c.factor);
        const MapProjection after(zoomed, area);
        EXPECT_NEAR(after.xExact(c.lon), before.xExact(c.lon), 1e-6) << c.lat << " " << c.lon;
        EXPECT_NEAR(after.y(c.lat), before.y(c.lat), 1e-6);
        EXPECT_NEAR(zoomed.width, c.view.width * c.factor, 1e-9);
    }
    // Out past the whole world it stops there, and never leaves the poles.
    MapView world;
    ZoomAbout(world, 80.0, 0.0, 2.0);
    EXPECT_EQ(world, MapView{});
    MapView north{60.0, 80.0, 0.0, 20.0, 20.0};
    Pan(north, 30.0, 5.0);
    EXPECT_DOUBLE_EQ(north.latMax, 90.0);
    EXPECT_DOUBLE_EQ(north.latMin, 70.0);
    EXPECT_DOUBLE_EQ(north.lonMin, 5.0);
}

TEST(MapScale, LayersScaleBarAndGridFollowTheScale) {
    struct Layers {
        double kmPerPixel;
        MapLayerChoice expected;
    } layers[] = {{60.0, {MapResolution::Crude, -1, 1}},       // the world on a screen: no rivers
                  {12.0, {MapResolution::Low, 1, 1}},          // a continent: river-lakes, major rivers
                  {2.0, {MapResolution::Intermediate, 2, 1}},  // a regional network, 1500 km
                  {0.5, {MapResolution::High, 3, 2}},          // a local network, 400 km
                  {0.1, {MapResolution::High, 4, 2}}};         // never intermittent rivers or canals
    for (const Layers& c : layers) EXPECT_EQ(ChooseMapLayers(c.kmPerPixel), c.expected) << c.kmPerPixel;

    struct Bar {
        double kmPerPixel, maxPixels, km;
    } bars[] = {{1.0, 150.0, 100.0}, {1.0, 99.0, 50.0}, {0.37, 200.0, 50.0}, {12.0, 200.0, 2000.0},
                {0.004, 200.0, 0.5}};
    for (const Bar& c : bars) {
        const ScaleBar bar = ChooseScaleBar(c.kmPerPixel, c.maxPixels);
        EXPECT_DOUBLE_EQ(bar.kilometres, c.km) << c.kmPerPixel << " " << c.maxPixels;
        EXPECT_LE(bar.pixels, c.maxPixels);
    }

    struct Grid {
        double span, tick, label;
    } grids[] = {{360.0, 1.0, 10.0}, {40.0, 1.0, 10.0}, {20.0, 1.0, 5.0}, {8.0, 0.5, 2.0},
                 {3.5, 0.25, 1.0},   {1.2, 0.05, 0.2}};
    for (const Grid& c : grids) {
        const GridSteps steps = ChooseGridSteps(c.span);
        EXPECT_DOUBLE_EQ(steps.tick, c.tick) << c.span;
        EXPECT_DOUBLE_EQ(steps.label, c.label) << c.span;
        EXPECT_GE(c.span / steps.label, 3.0);
    }
}

TEST(MapScale, NamesNeverOverlapAndArraysCollapse) {
    // Three stations in a row 10 px apart with 30 px names: the first keeps the right side, the
    // second goes above or below, no two boxes meet.
    std::vector<LabelRequest> requests;
    for (int i = 0; i < 6; ++i) requests.push_back({{100.0 + 10.0 * i, 100.0}, 30.0, 12.0});
    const auto placed = PlaceLabels(requests, 4.0, 2.0);
    // The first name would cover its neighbour's marker on the right: it goes to the left.
    ASSERT_TRUE(placed[0]);
    EXPECT_DOUBLE_EQ(placed[0]->x, 100.0 - 4.0 - 2.0 - 30.0);
    int shown = 0;
    for (std::size_t a = 0; a < placed.size(); ++a) {
        if (!placed[a]) continue;
        ++shown;
        for (std::size_t b = 0; b < placed.size(); ++b) {
            if (a == b) continue;
            const bool apartX = placed[a]->x + 30.0 <= requests[b].marker.x - 4.0 ||
                                placed[a]->x >= requests[b].marker.x + 4.0;
            const bool apartY = placed[a]->y + 12.0 <= requests[b].marker.y - 4.0 ||
                                placed[a]->y >= requests[b].marker.y + 4.0;
            EXPECT_TRUE(apartX || apartY) << "name " << a << " covers marker " << b;
            if (!placed[b]) continue;
            const bool boxesApart = placed[a]->x + 30.0 <= placed[b]->x || placed[b]->x + 30.0 <= placed[a]->x ||
                                    placed[a]->y + 12.0 <= placed[b]->y || placed[b]->y + 12.0 <= placed[a]->y;
            EXPECT_TRUE(boxesApart) << a << " and " << b;
        }
    }
    EXPECT_GE(shown, 3);  // left, right, above and below are used before a name is left out
    EXPECT_LT(shown, 6);

    // An array of three elements with one lone station: together while close on the screen.
    std::vector<Station> stations(4);
    stations[0].code = "ZAK";
    stations[0].refsta = "ZAK";  // a lone station is its own reference
    for (int i = 1; i < 4; ++i) {
        stations[i].code = "AR0" + std::to_string(i);
        stations[i].refsta = "AR";
    }
    auto at = [](double spread) {
        return std::vector<std::optional<MapPixel>>{
            MapPixel{10, 10}, MapPixel{200, 200}, MapPixel{200 + spread, 200}, MapPixel{200, 200 + spread}};
    };
    const auto close = StationMarks(stations, at(5.0), 36.0);
    ASSERT_EQ(close.size(), 2u);
    const auto array = std::find_if(close.begin(), close.end(), [](const StationMark& m) { return m.array; });
    ASSERT_NE(array, close.end());
    EXPECT_EQ(array->name, "AR");
    EXPECT_EQ(array->stations.size(), 3u);
    EXPECT_NEAR(array->at.x, 200.0 + 5.0 / 3.0, 1e-9);
    const auto apart = StationMarks(stations, at(80.0), 36.0);
    EXPECT_EQ(apart.size(), 4u);
    // A station filtered out or off the map is no mark and does not hold its array together.
    auto filtered = at(5.0);
    filtered[0].reset();
    filtered[2].reset();
    filtered[3].reset();
    const auto single = StationMarks(stations, filtered, 36.0);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].name, "AR01");
}

TEST(MapScale, BinnedShorelinesHoldLakeBaikal) {
    const std::filesystem::path file =
        std::filesystem::path(ZEL_TEST_BIN_DIR) / ".." / "src" / "mapdata" /
        BinnedLinesFileName(MapLayer::Shore, MapResolution::High);
    if (!std::filesystem::exists(file)) GTEST_SKIP() << "no converted GSHHG data (gmt-gshhg-high) in this build";
    const auto shore = BinnedLines::Read(file.string());
    ASSERT_TRUE(shore);
    const MapView box{51.0, 56.2, 103.0, 110.5, 7.5};
    std::vector<GeoPoint> lake;
    int seaLines = 0;
    for (const BinnedLine& line : shore->linesIn(box, 4)) {
        if (line.level == 1) ++seaLines;
        if (line.level == 2) lake.insert(lake.end(), line.points.begin(), line.points.end());
    }
    // Towns on the lake's shore, at the coordinates gazetteers give: the lake shore passes each
    // within a couple of kilometres. No sea coast anywhere that far inland.
    const GeoPoint towns[] = {{51.853, 104.860},    // Listvyanka, the south-west shore
                              {53.420, 109.020},    // Ust-Barguzin, the east shore
                              {55.635, 109.340},    // Severobaikalsk, the north end
                              {51.517, 104.150}};  // Kultuk, the south-western tip
    for (const GeoPoint& town : towns) {
        double nearest = 1e9;
        for (const GeoPoint& p : lake)
            nearest = std::min(nearest, std::hypot(p.lat - town.lat, (p.lon - town.lon) * std::cos(town.lat * M_PI / 180)));
        EXPECT_LT(nearest * 111.195, 3.0) << town.lat << " " << town.lon;
    }
    EXPECT_EQ(seaLines, 0);

    // A damaged copy is no file at all rather than lines pointing anywhere.
    const std::filesystem::path torn = std::filesystem::temp_directory_path() / "zel_torn_shore.zbl";
    {
        std::ifstream in(file, std::ios::binary);
        std::vector<char> bytes(4096);
        in.read(bytes.data(), std::streamsize(bytes.size()));
        std::ofstream(torn, std::ios::binary).write(bytes.data(), in.gcount());
    }
    EXPECT_FALSE(BinnedLines::Read(torn.string()));
    EXPECT_FALSE(BinnedLines::Read((torn.string() + ".missing")));
    std::filesystem::remove(torn);
}

}  // namespace
}  // namespace zel

// Status-bar texts, the search for the map files and the network filter of the map.

#include <gtest/gtest.h>

#include "map/MapDataFiles.h"
#include "map/MapStatusText.h"
#include "map/NetworkFilter.h"
#include "support/TempDir.h"

namespace zel {
namespace {

TEST(MapStatusText, CoordinatesAndMeasurement) {
    EXPECT_EQ(MapCoordinateText(43.2567, 76.9286), "43.257N 76.929E");
    EXPECT_EQ(MapCoordinateText(-33.5, -70.25), "33.500S 70.250W");
    EXPECT_EQ(MapCoordinateText(0.0, 0.0), "0.000S 0.000W");
    // (0, 0) to (0, 90): 89.9999998° by the routine's conversion factor, shown as 90.00.
    EXPECT_EQ(MapMeasurementText(*DistAz(0, 0, 0, 90)), "Аз.=90.00° Обр.аз.=270.00° Рас.=90.00°");
    EXPECT_EQ(MapMeasurementText({10.0, 359.999, 0.0}), "Аз.=0.00° Обр.аз.=0.00° Рас.=10.00°");
}

TEST(MapDataFiles, EachFileFromTheFirstFolderHoldingIt) {
    test::TempDir data, build;
    std::filesystem::create_directories(build.path() / "mapdata");
    test::WriteFile(build.file("mapdata/map.pnt"), "x");
    test::WriteFile(build.file("mapdata/map03.bmp"), "x");
    test::WriteFile(data.file("map03.bmp"), "x");
    const std::vector<std::string> folders = MapDataFolders(data.path().string(), build.path().string(), "");
    const MapDataFiles files = FindMapDataFiles(folders);
    EXPECT_EQ(files.coastline, build.file("mapdata/map.pnt"));
    ASSERT_EQ(files.bands.size(), 9u);
    EXPECT_EQ(files.bands[3], data.file("map03.bmp"));
    EXPECT_TRUE(files.bands[0].empty());
    EXPECT_TRUE(files.hasRelief());

    const MapDataFiles none = FindMapDataFiles(MapDataFolders("", "/nonexistent", "/nonexistent"));
    EXPECT_FALSE(none.hasCoastline());
    EXPECT_FALSE(none.hasRelief());
}

TEST(NetworkFilter, ChosenNetworkOrAll) {
    std::vector<Station> stations(3);
    stations[0].code = "AAK";
    stations[1].code = "TLG";
    stations[2].code = "KKAR";
    const std::vector<Network> networks = {{"KNET", " tlg ; AAK;XXX; "}, {"Empty", ""}};
    EXPECT_EQ(StationsShown(stations, networks, "KNET"), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(StationsShown(stations, networks, "Empty"), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(StationsShown(stations, networks, kAllStationsEntry), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(StationsShown(stations, networks, "gone"), (std::vector<bool>{true, true, true}));
}

}  // namespace
}  // namespace zel
